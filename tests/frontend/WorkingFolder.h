#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "ScriptedPlatform.h"
#include "logic/AppState.h"
#include "windows/MainWindow.h"

// Each test (and each SetUp) runs in a fresh working folder holding the shipped data tables, with the scripted
// scripted platform and a fresh shared state; the main window is made on first use.
class WorkingFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(folder_->isValid());
        if (previous_.isEmpty()) previous_ = QDir::currentPath();
        for (const char* name : {"MUs.dat", "Air.eac", "default-output.op", "ICRUSoft.dat", "Ak2Sv.dat"}) {
            QFile::remove(folder_->filePath(name));
            QFile::copy(QString(BRISCA_DATA_DIR) + "/" + name, folder_->filePath(name));
        }
        QDir::setCurrent(folder_->path());
        state = brisca::AppState{};
        platform = brisca::ScriptedPlatform{};
    }

    void TearDown() override
    {
        window_.reset();
        QDir::setCurrent(previous_);
    }

    // Writes a file into the working folder.
    void Write(const QString& name, const QByteArray& content)
    {
        QFile file(folder_->filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    // Whether the working folder holds the file.
    bool Exists(const QString& name) const { return QFile::exists(folder_->filePath(name)); }

    // Contents of a file of the working folder.
    QByteArray Read(const QString& name) const
    {
        QFile file(folder_->filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString Path(const QString& name) const { return folder_->filePath(name); }

    // The main window on the test's state and platform, built on first use.
    brisca::MainWindow& Window()
    {
        if (!window_) window_ = std::make_unique<brisca::MainWindow>(state, platform);
        return *window_;
    }

    // The main window after its start-up step.
    brisca::MainWindow& Loaded()
    {
        Window().loadTablesAndDefaults();
        return Window();
    }

    brisca::ScriptedPlatform platform; // what the windows show and start
    brisca::AppState state;            // the shared state the windows get

private:
    std::unique_ptr<QTemporaryDir> folder_;      // fresh for every SetUp
    std::unique_ptr<brisca::MainWindow> window_; // made by Window()
    QString previous_;
};
