// The form's behaviour: what the scheme, the block count, the block sizes, the data
// type count and the overhead choice show, enable and select, and how the fields
// react to the user's typing and clicks.
#pragma once

#include "chart/ChartModel.h"
#include "form/Calculation.h"
#include "form/DataSource.h"
#include "form/Form.h"

#include <string>
#include <vector>

namespace eee {

class FormBehaviour
{
public:
    FormBehaviour(Form& form, Calculation& calculation, IDataSource& data, ChartModel& chart);

    // The user's actions, as the window forwards them.
    void UserSelectScheme(int index);
    void UserSelectBlockCount(int index);
    void UserSelectBlockSize(int block, int index);
    void UserSelectDataTypes(int index);
    void UserSetCustomizeOverhead(bool checked);
    void UserEditText(FieldId field, const std::string& text); // typing into a field
    void UserClickFrequency(int row, bool daily);

    // Sets a field's text as a handler does: the field's own change handler runs at once.
    void SetText(FieldId field, const std::string& text);
    bool SelectScheme(const std::string& name);
    bool SetBlockCount(int n);
    void ShowBlockSizeCombos(int n);
    bool LoadBlocks(const std::string& scheme, std::string& errorText);
    void FillBlockSizeCombos(const std::vector<std::string>& texts, int n);
    void ShowOverheadColumn(int n);
    void HideOverheadColumn();
    void SetSchemeToolTip();

    // The handlers of the form's events.
    void OnSchemeChanged();
    void OnBlockCountChanged();
    void OnBlockSizeChanged();
    void OnDataTypesChanged();
    void OnCustomizeOverhead();
    void OnInputFocus(FieldId field);
    void OnFrequencyClicked(int row);
    void OnLifeTimeChanged();
    void OnDataSize1Changed();

private:
    Form& m_form;
    Calculation& m_calculation;
    IDataSource& m_data;
    ChartModel& m_chart;
};

} // namespace eee
