// FormTemplate: the window as its template lays it out. It gives the window its narrow
// font and builds the menu bar and the client with every control at its place (absolute
// geometry from the template's dialog units), in the template's tab order. It keeps the
// places the moving controls start from, for FormWidgets, which moves them.
#pragma once

#include "calc/Types.h"

#include <QRect>
#include <array>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QWidget;

namespace eee {

class ChartModel;
class ChartWidget;

class FormTemplate
{
public:
    // The controls, for the window's wiring, its Sync and its tests.
    struct Controls
    {
        QComboBox* Scheme = nullptr;
        QLineEdit* LifeTime = nullptr;
        QComboBox* BlockCount = nullptr;
        std::array<QComboBox*, kMaxBlocks> BlockSize {};
        QComboBox* DataTypes = nullptr;
        QCheckBox* CustomizeOverhead = nullptr;
        QLabel* BlockOverheadLabel = nullptr;
        QLineEdit* BlockOverhead = nullptr;
        QLabel* WriteFrequencyHeader = nullptr;
        std::array<QLabel*, 5> ColumnHeaders {}; // size, updates, records, Total, Daily
        QLabel* OverheadHeader = nullptr;
        std::array<QLabel*, kMaxDataTypes> RowLabel {};
        std::array<QLineEdit*, kMaxDataTypes> DataSize {};
        std::array<QLineEdit*, kMaxDataTypes> Updates {};
        std::array<QLineEdit*, kMaxDataTypes> Records {};
        std::array<QRadioButton*, kMaxDataTypes> Total {};
        std::array<QRadioButton*, kMaxDataTypes> Daily {};
        std::array<QLineEdit*, kMaxDataTypes> Overhead {};
        std::array<QLabel*, 3> TotalLabels {};
        QLineEdit* TotalUserDataBytes = nullptr;
        QLineEdit* TotalOverhead = nullptr;
        QLineEdit* TotalBytes = nullptr;
        QPushButton* Submit = nullptr;
        QLabel* InSpecLegend = nullptr;
        QLabel* OutOfSpecLegend = nullptr;
        QLineEdit* LifetimeUpdates = nullptr;
        QLineEdit* MaxUpdateRequirement = nullptr;
        QLineEdit* FlashCycles = nullptr;
        QLineEdit* RefreshInterval = nullptr;
        QLabel* Verdict = nullptr;
        QLabel* Recommendation = nullptr;
        QLabel* FlashUsed = nullptr;
        QLabel* LifetimeNote = nullptr;
        QLabel* Picture = nullptr;
        QMenuBar* Menu = nullptr;
        QAction* LoadSession = nullptr;
        QAction* SaveSession = nullptr;
        QAction* Exit = nullptr;
        QAction* RestoreDefault = nullptr;
        QAction* UserGuide = nullptr;
        QAction* About = nullptr;
        QAction* ExportReport = nullptr;
        QAction* FindConfiguration = nullptr;
        QAction* CalculationDetails = nullptr;
        QAction* RetentionCheck = nullptr;
        QAction* WearSimulation = nullptr;
        QAction* SensitivitySweep = nullptr;
    };

    // Builds the window's font, menu bar and controls; the chart draws `chart`.
    FormTemplate(QDialog& window, ChartModel& chart);
    FormTemplate(const FormTemplate&) = delete;
    FormTemplate& operator=(const FormTemplate&) = delete;

    const Controls& Ui() const { return m_ui; }
    QWidget* Client() const { return m_client; }
    ChartWidget* Chart() const { return m_chart; }
    // The File menu, where Recent Sessions joins it.
    QMenu* FileMenu() const;

    // The template's places of the controls that move (the overhead column shown): the
    // five column headers, and the cells of each column, row by row.
    const std::array<QRect, 5>& HeaderPlaces() const { return m_headerBase; }
    const std::array<std::array<QRect, kMaxDataTypes>, 5>& CellPlaces() const
    {
        return m_columnBase;
    }

private:
    void BuildControls(QDialog& window, ChartModel& chart);
    void BuildMenu(QDialog& window);
    void ChainTabOrder();

    Controls m_ui;
    QWidget* m_client = nullptr;
    ChartWidget* m_chart = nullptr;
    std::array<QButtonGroup*, kMaxDataTypes> m_frequencyGroups {};
    std::array<QRect, 5> m_headerBase {};
    std::array<std::array<QRect, kMaxDataTypes>, 5> m_columnBase {};
};

} // namespace eee
