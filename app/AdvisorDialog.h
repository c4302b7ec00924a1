// Tools > Find Configuration...: the design advisor over the window's last calculation.
// It shows the current configuration with its headroom and the smallest configurations
// of the catalogue that keep the workload within the cycles limit; Apply puts the chosen
// one into the form as a loaded session is put there, and the window calculates.
#pragma once

#include "AdvisorTableModel.h"
#include "Dialogs.h"
#include "FinishedCalculation.h"
#include "calc/Advisor.h"
#include "calc/Types.h"
#include "form/DataSource.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableView;

namespace eee {

// What the advisor needs of the window it serves.
class IAdvisorHost
{
public:
    virtual ~IAdvisorHost() = default;
    // The window's last calculation, which the advisor searches on.
    virtual const FinishedCalculation& LastCalculation() const = 0;
    // The session record of what the form holds now.
    virtual SessionRecord CurrentRecord() const = 0;
    // Puts a configuration into the form as a loaded session is put there (the form's
    // rules and messages apply) and calculates.
    virtual void ApplyRecord(const SessionRecord& record) = 0;
};

class AdvisorDialog : public QDialog
{
    Q_OBJECT
public:
    // parent: the window, which also owns the messages the dialog shows.
    AdvisorDialog(QWidget* parent, IAdvisorHost& host, IDialogs& dialogs, IDataSource& data);

    // Reads the catalogue again, searches and shows the dialog in front.
    void Open();
    // Searches on the window's last calculation with the chosen margin and schemes.
    // The search takes milliseconds, so it runs at once on the window's thread.
    void Search();
    // Puts the selected configuration into the form and calculates.
    void ApplySelected();

    // The controls, for the window's tests.
    struct Controls
    {
        QLabel* Current = nullptr;
        QLabel* Headroom = nullptr;
        QDoubleSpinBox* Margin = nullptr;
        QComboBox* Schemes = nullptr; // "All schemes" or "This scheme only"
        QTableView* Table = nullptr;
        QLabel* Note = nullptr;
        QLabel* Searched = nullptr;
        QPushButton* Apply = nullptr;
        QPushButton* Close = nullptr;
    };
    const Controls& Ui() const { return m_ui; }
    AdvisorTableModel& Model() { return *m_model; }

private:
    void UpdateApply();

    IAdvisorHost& m_host;
    IDialogs& m_dialogs;
    IDataSource& m_data;
    AdvisorCatalogue m_catalogue;
    AdvisorTableModel* m_model = nullptr; // made after the table, so the table goes first
    Controls m_ui;
};

} // namespace eee
