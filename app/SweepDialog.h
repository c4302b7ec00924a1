// Tools > Sensitivity Sweep: one input of the form's last calculation stepped over a range,
// the plot redrawn as the parameter, range or step change; the point under the mouse is
// named, and Export writes the very plot as SVG or PNG.
#pragma once

#include "app/Dialogs.h"
#include "calc/AdvisorCatalogue.h"
#include "calc/Sweep.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace eee {

class SweepPlotWidget;

class SweepDialog : public QDialog
{
    Q_OBJECT
public:
    SweepDialog(IDialogs& dialogs, QWidget* parent = nullptr);

    // The configuration to sweep and the block sizes its scheme offers.
    void ShowCalculation(
        const EvalConfig& config, const EvalResult& result, std::vector<CatalogueBlock> blocks);

    // Writes the plot to a file the user names.
    void Export();

    // The request the fields stand for, as eee-calc-cli sweep --vary reads it.
    QString VaryText() const;
    const std::vector<SweepPoint>& Points() const { return m_points; }

    QComboBox* Parameter() const { return m_parameter; }
    QSpinBox* DataType() const { return m_dataType; }
    QLineEdit* From() const { return m_from; }
    QLineEdit* To() const { return m_to; }
    QLineEdit* Step() const { return m_step; }
    QLabel* Status() const { return m_status; }
    QLabel* PointText() const { return m_pointText; }
    SweepPlotWidget* PlotWidget() const { return m_plot; }
    QPushButton* ExportButton() const { return m_export; }

private:
    void OnParameterChanged();
    void Recompute();

    IDialogs& m_dialogs;
    EvalConfig m_config;
    bool m_haveConfig = false;
    std::vector<CatalogueBlock> m_blocks;
    SweepRequest m_request;
    std::vector<SweepPoint> m_points;

    QComboBox* m_parameter = nullptr;
    QSpinBox* m_dataType = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QLineEdit* m_step = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_pointText = nullptr;
    SweepPlotWidget* m_plot = nullptr;
    QPushButton* m_export = nullptr;
};

} // namespace eee
