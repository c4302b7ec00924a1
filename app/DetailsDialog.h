// Tools > Calculation Details: which data type drives the erases (the breakdown table,
// sortable by any column) and how the figures were reached (the formula trace), for
// the last calculation of the window; Copy puts both on the clipboard as text.
#pragma once

#include "calc/Breakdown.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace eee {

class DetailsDialogModel;

class DetailsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DetailsDialog(QWidget* parent = nullptr);

    // Shows the breakdown and the trace of a finished calculation.
    void ShowCalculation(const EvalConfig& config, const EvalResult& result);

    // What Copy puts on the clipboard: the table as shown (tab-separated, in its current
    // order, with its header) and the trace, one line each.
    QString CopyText() const;

    QTableView* Table() const { return m_table; }
    QPlainTextEdit* Trace() const { return m_trace; }
    QLabel* Summary() const { return m_summary; }
    QPushButton* CopyButton() const { return m_copy; }

private:
    DetailsDialogModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;
    QLabel* m_summary = nullptr;
    QTableView* m_table = nullptr;
    QPlainTextEdit* m_trace = nullptr;
    QPushButton* m_copy = nullptr;
};

} // namespace eee
