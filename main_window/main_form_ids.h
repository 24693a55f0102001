#pragma once

// The main window's controls, each named once: the description, the handles and the handlers
// use these identifiers, never the names themselves.

#include "command/view_fields.h"
#include "toolkit/description.h"

namespace quorvane::main_form {

// On the window.
inline constexpr ui::FrameId Inquiry{"Inquiry"};
inline constexpr ui::CommandButtonId ExecuteCmd{"ExecuteCmd"};
inline constexpr ui::CommandButtonId cmdAbout{"cmdAbout"};
inline constexpr ui::FrameId InqResults{"InqResults"};
inline constexpr ui::FrameId Frame3{"Frame3"};

// Information.
inline constexpr ui::OptionArrayId<kEntryCount> Option3{"Option3"};
inline constexpr ui::TextBoxId Text1{"Text1"};
inline constexpr ui::TextBoxId LevelNow{"LevelNow"};
inline constexpr ui::CommandButtonId cmdOpt{"cmdOpt"};
inline constexpr ui::CheckBoxId ReqLVL{"ReqLVL"};
inline constexpr ui::TextBoxId TargetLVL{"TargetLVL"};
inline constexpr ui::LabelId Label2{"Label2"};
inline constexpr ui::TextBoxId Text2{"Text2"};
inline constexpr ui::LabelId ScalpsNdd{"ScalpsNdd"};
inline constexpr ui::FrameId Frame2{"Frame2"};

// Quest parts.
inline constexpr ui::LabelId Label5{"Label5"};
inline constexpr ui::LabelId Label6{"Label6"};
inline constexpr ui::LabelId Label7{"Label7"};
inline constexpr ui::LabelId Label12{"Label12"};
inline constexpr ui::OptionArrayId<kQuestPartCount> Option1{"Option1"};
inline constexpr ui::CheckBoxId Check1{"Check1"};
inline constexpr ui::FrameId Frame1{"Frame1"};

// Side.
inline constexpr ui::LabelId Label19{"Label19"};
inline constexpr ui::LabelId Label20{"Label20"};
inline constexpr ui::OptionArrayId<kSideCount> Option2{"Option2"};

// Results: the headings and the labels that receive the values.
inline constexpr ui::LabelId Label3{"Label3"};
inline constexpr ui::LabelId ResLVL{"ResLVL"};
inline constexpr ui::LabelId Label4{"Label4"};
inline constexpr ui::LabelId ResExp{"ResExp"};
inline constexpr ui::LabelId Label13{"Label13"};
inline constexpr ui::LabelId xpgain{"xpgain"};
inline constexpr ui::LabelId Label15{"Label15"};
inline constexpr ui::LabelId remXP{"remXP"};
inline constexpr ui::LabelId GoldFromMaces{"GoldFromMaces"};
inline constexpr ui::LabelId ResGP{"ResGP"};
inline constexpr ui::LabelId Label10{"Label10"};
inline constexpr ui::LabelId ScalpsLeft{"ScalpsLeft"};
inline constexpr ui::LabelId Label11{"Label11"};
inline constexpr ui::LabelId MacesLeft{"MacesLeft"};
inline constexpr ui::LabelId BeltsRem{"BeltsRem"};
inline constexpr ui::LabelId BeltsLeft{"BeltsLeft"};
inline constexpr ui::LabelId BooksRem{"BooksRem"};
inline constexpr ui::LabelId BooksLeft{"BooksLeft"};
inline constexpr ui::LabelId RinRem{"RinRem"};
inline constexpr ui::LabelId RingsLeft{"RingsLeft"};
inline constexpr ui::LabelId FinRew{"FinRew"};
inline constexpr ui::LabelId Finals{"Finals"};

// Options panel.
inline constexpr ui::FrameId Frame4{"Frame4"};
inline constexpr ui::FrameId Frame5{"Frame5"};
inline constexpr ui::CommandButtonId CloseOptions{"CloseOptions"};
inline constexpr ui::LabelId Label18{"Label18"};
inline constexpr ui::OptionArrayId<kZeroLeftCount> Option4{"Option4"};
inline constexpr ui::LabelId Label1{"Label1"};
inline constexpr ui::LabelId Label8{"Label8"};
inline constexpr ui::CheckBoxId chkScalpsUpd{"chkScalpsUpd"};
inline constexpr ui::TextBoxId ScalpsUpd{"ScalpsUpd"};
inline constexpr ui::LabelId Label9{"Label9"};
inline constexpr ui::LabelId Label14{"Label14"};
inline constexpr ui::CheckBoxId chkWorking{"chkWorking"};
inline constexpr ui::LabelId Label17{"Label17"};

// The context menu.
inline constexpr ui::MenuItemId mnuCopyResults{"mnuCopyResults"};
inline constexpr ui::MenuItemId mnuPlan{"mnuPlan"};
inline constexpr ui::MenuItemId mnuCompare{"mnuCompare"};
inline constexpr ui::MenuItemId mnuHandIns{"mnuHandIns"};
inline constexpr ui::MenuItemId mnuItemsOwned{"mnuItemsOwned"};

// The two captions of the Results frame: as it starts, and while any item is owned.
inline constexpr const char* kResults = "Results";
inline constexpr const char* kResultsWithItemsOwned = "Results with Items Owned";

// The two captions of the scalps heading (Label2): the scalps owned, and, while "Lvl to reach:" is
// ticked, the scalps needed.
inline constexpr const char* kScalpsOwned = "Scalps Owned";
inline constexpr const char* kScalpsNeeded = "Scalps Needed";

}  // namespace quorvane::main_form
