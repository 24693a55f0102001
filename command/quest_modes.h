#pragma once

namespace quorvane {

// What the main window offers for each quest part: the result pairs of the items up to the next
// stage above the part, and, as zero-left items of the search, the scalps and exactly the items
// that the part's path makes. (The belts' value is shown whenever the maces are not sold.)
struct QuestPartView {
  int part;  // the Option1 member
  bool beltsRem, booksRem, booksLeft, finRew, finals, ringsLeft, rinRem;
  int lastOffered;  // Option4 members 0..lastOffered are offered
};

// Highest part first, the order in which the window looks for the chosen part.
inline constexpr QuestPartView kQuestPartViews[] = {
    {3, true, true, true, true, true, true, true, 4},        // rings
    {2, true, true, true, false, false, true, true, 3},      // books
    {1, true, true, true, false, false, false, false, 2},    // belts
    {0, true, false, false, false, false, false, false, 1},  // maces
};

inline const QuestPartView* FindQuestPartView(int part) {
  for (const QuestPartView& view : kQuestPartViews) {
    if (view.part == part) return &view;
  }
  return nullptr;
}

}  // namespace quorvane
