#pragma once

#include <QFile>
#include <QListWidget>
#include <sstream>

#include "FindControl.h"
#include "WorkingFolder.h"
#include "refiner/run.h"
#include "windows/ResultWindow.h"

// The result window's steps as a user takes them, with the refiner's own code run in place of
// its program: the window starts a placeholder, and the real refinement follows at once.
class ResultSteps : public WorkingFolder {
protected:
    // Opens the result window from the main window.
    brisca::ResultWindow& Open()
    {
        Window().showResults();
        return Window().resultWindow();
    }

    // Chooses the named file of the list.
    void Select(const QString& name)
    {
        auto* list = Find<QListWidget>(Window().resultWindow(), "resultList");
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        list->setCurrentItem(found[0]);
    }

    // A placeholder the window finds and starts as its refiner.
    void PlaceRefiner()
    {
        Write("mcrefine", "#!/bin/sh\n");
        QFile::setPermissions(Path("mcrefine"), QFile::ReadOwner | QFile::ExeOwner);
    }

    // "OK", the refiner run to its end and its end reported to the window.
    void Convert()
    {
        if (!Exists("mcrefine")) PlaceRefiner();
        const std::size_t started = platform.watchers.size();
        Click(Window().resultWindow(), "convertButton");
        if (platform.watchers.size() == started) return; // the window did not start it
        std::ostringstream console, errors;
        const int status = refiner::RunRefiner(console, errors);
        platform.watchers.back()({status, false, QString::fromStdString(errors.str()).trimmed()});
    }

    // Select, "OK" with the refiner, "データ処理" and "散乱線量分布表示".
    void Display(const QString& name)
    {
        Select(name);
        Convert();
        Click(Window().resultWindow(), "processButton");
        Click(Window().resultWindow(), "paintButton");
    }
};
