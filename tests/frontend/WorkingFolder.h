#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "Forms.h"
#include "Module1.h"
#include "platform/ScriptedPlatform.h"

// Each test runs in a fresh working folder holding the shipped data tables, with the scripted
// platform installed and the shared state and windows of the previous test gone.
class WorkingFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        previous_ = QDir::currentPath();
        for (const char* name : {"MUs.dat", "Air.eac", "default-output.op", "ICRUSoft.dat",
                                 "Ak2Sv.dat"}) {
            QFile::remove(folder_.filePath(name));
            QFile::copy(QString(BRISCA_DATA_DIR) + "/" + name, folder_.filePath(name));
        }
        QDir::setCurrent(folder_.path());
        brisca::module1() = brisca::Module1{};
        platform = brisca::ScriptedPlatform{};
        brisca::setPlatform(platform);
    }

    void TearDown() override {
        brisca::DestroyForms();
        QDir::setCurrent(previous_);
    }

    // Writes a file into the working folder.
    void Write(const QString& name, const QByteArray& content) {
        QFile file(folder_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    // Whether the working folder holds the file.
    bool Exists(const QString& name) const { return QFile::exists(folder_.filePath(name)); }

    // Contents of a file of the working folder.
    QByteArray Read(const QString& name) const {
        QFile file(folder_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString Path(const QString& name) const { return folder_.filePath(name); }

    brisca::ScriptedPlatform platform;

private:
    QTemporaryDir folder_;
    QString previous_;
};
