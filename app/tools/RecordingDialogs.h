// Dialogs that never block: messages are collected, file dialogs answer from a queue.
// Used by the window's tests and by the tools that run the window unattended.
#pragma once

#include "app/Dialogs.h"

#include <QString>
#include <deque>
#include <vector>

namespace eee {

class RecordingDialogs : public IDialogs
{
public:
    struct Shown
    {
        QString Caption;
        QString Text;
        MsgIcon Icon;
    };
    std::vector<Shown> Messages;
    // Answers of the file dialogs, in order; an empty text cancels the dialog.
    std::deque<QString> SaveAnswers;
    std::deque<QString> OpenAnswers;
    std::vector<QString> SaveFolders, OpenFolders;
    // Answers of the report file dialog, and the names it suggested.
    std::deque<QString> ReportAnswers;
    std::vector<QString> ReportSuggestions;
    // Answers of the plot image dialog.
    std::deque<QString> ImageAnswers;

    void Message(QWidget*, const QString& text, MsgIcon icon) override
    {
        Messages.push_back({kMessageCaption, text, icon});
    }
    std::optional<QString> SaveFileName(QWidget*, const QString& folder) override
    {
        SaveFolders.push_back(folder);
        return Next(SaveAnswers);
    }
    std::optional<QString> OpenFileName(QWidget*, const QString& folder) override
    {
        OpenFolders.push_back(folder);
        return Next(OpenAnswers);
    }

    std::optional<QString> ReportFileName(QWidget*, const QString& suggested) override
    {
        ReportSuggestions.push_back(suggested);
        return Next(ReportAnswers);
    }

    std::optional<QString> ImageFileName(QWidget*, const QString&) override
    {
        return Next(ImageAnswers);
    }

private:
    static std::optional<QString> Next(std::deque<QString>& answers)
    {
        if (answers.empty())
            return std::nullopt; // an unanswered dialog counts as cancelled
        const QString answer = answers.front();
        answers.pop_front();
        if (answer.isEmpty())
            return std::nullopt;
        return std::optional<QString>(std::in_place, answer);
    }
};

} // namespace eee
