// FormWidgets: the window's controls. It builds them as the template lays them out
// (FormTemplate: the font, the menu bar, every control at its place), gives the fields
// their tooltips, finds the control of a field of the form, and shows the form's state
// in the controls (Sync), moving the controls that follow the overhead column and the
// last data type row shown.
//
// It only shows: what the user does with a control goes to the form through the
// window's wiring, and comes back by Sync.
#pragma once

#include "FormTemplate.h"
#include "form/FieldRules.h"
#include "form/FormState.h"

#include <optional>
#include <string>
#include <vector>

class QObject;

namespace eee {

class FormWidgets
{
public:
    using Controls = FormTemplate::Controls;

    // A field the user types into, with the field of the form it edits. Moving into it
    // with the keyboard or the mouse recomputes the form, except for the lifetime.
    struct InputField
    {
        QLineEdit* Edit = nullptr;
        FieldId Field;
        bool FocusRecomputes = true;
    };

    // Builds the window's font, menu bar and controls; the chart draws `chart`.
    FormWidgets(QDialog& window, ChartModel& chart);
    FormWidgets(const FormWidgets&) = delete;
    FormWidgets& operator=(const FormWidgets&) = delete;

    const Controls& Ui() const { return m_ui; }
    QWidget* Client() const { return m_template.Client(); }
    ChartWidget* Chart() const { return m_template.Chart(); }
    // The File menu, where Recent Sessions joins it.
    QMenu* FileMenu() const { return m_template.FileMenu(); }

    const std::vector<InputField>& InputFields() const { return m_inputs; }
    // The control of a field of the form, and the field of an input control.
    QLineEdit* FieldWidget(FieldId field) const;
    std::optional<FieldId> FieldOf(const QObject* control) const;

    // The tooltips of the fields and lists; the scheme list's is the form's.
    void AddToolTips(const std::string& schemeToolTip);

    // Shows the form's state in the controls. While it runs, Syncing() is true: the
    // controls' own signals and focus moves are then the window's, not the user's.
    void Sync(const FormState& state);
    bool Syncing() const { return m_syncing > 0; }

private:
    void ListInputFields();
    void PlaceMovableControls(const FormState& state);

    FormTemplate m_template;
    const Controls& m_ui;
    std::vector<InputField> m_inputs;
    int m_syncing = 0;
};

} // namespace eee
