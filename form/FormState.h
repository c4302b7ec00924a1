// Everything the input form shows and holds: a plain value, copy it to keep a snapshot.
// The window mirrors it in its controls; where the controls stand is the window's business.
#pragma once

#include "calc/Evaluate.h"
#include "calc/Types.h"
#include "form/ComboState.h"
#include "form/FieldRules.h"

#include <array>
#include <string>
#include <vector>

namespace eee {

inline constexpr const char* kInitialVerdictLine = "Application in Spec for endurance";
inline constexpr const char* kInitialFlashUsedLine = "Flash used for EEPROM emulation:";
inline constexpr const char* kSchemeListToolTip = "EEPROM emulation scheme";

struct FormState
{
    CalcInputs In;
    CalcResults Out;
    FormFields Fields;

    ComboState SchemeList;
    ComboState BlockCountList;
    ComboState DataTypesList;
    std::array<ComboState, kMaxBlocks> BlockLists;
    std::array<bool, kMaxBlocks> BlockListVisible {true, true, true, true, true, true};

    std::array<bool, kMaxDataTypes> RowVisible {true, true, true, true, true, true};
    std::array<bool, kMaxDataTypes> DataSizeEnabled {true, true, true, true, true, true};
    bool CusOverheadChecked = false;
    bool OverheadColumnVisible = true; // Block Overhead label and field, Overhead header
    std::array<bool, kMaxDataTypes> OverheadFieldVisible {true, true, true, true, true, true};
    // The row under whose data size field the totals stand (1-based); 0 for their first place.
    int TotalsBelowRow = 0;
    bool SubmitEnabled = true;

    std::string LifetimeUpdatesText;
    std::string RefreshIntervalText;
    std::string VerdictLine = kInitialVerdictLine;
    std::string RecommendationLine;
    std::string LifetimeNote;
    std::string FlashUsedLine = kInitialFlashUsedLine;
    std::string SchemeToolTip = kSchemeListToolTip;

    std::vector<BlockInfo> Blocks; // the current scheme's blocks, by Index
    bool DataRetention = false;

    // The configuration and every number of the last finished calculation.
    EvalConfig LastConfig;
    EvalResult LastResult;
    int Calculations = 0; // finished calculations, for callers that watch for one
};

} // namespace eee
