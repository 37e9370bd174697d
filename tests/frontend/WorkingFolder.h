#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "Forms.h"
#include "Module1.h"
#include "platform/ScriptedPlatform.h"

// Each test (and each SetUp) runs in a fresh working folder holding the shipped data tables, with the scripted
// platform installed and the shared state and windows of the previous test gone.
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
        brisca::module1() = brisca::Module1{};
        platform = brisca::ScriptedPlatform{};
        brisca::setPlatform(platform);
    }

    void TearDown() override
    {
        brisca::DestroyForms();
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

    brisca::ScriptedPlatform platform;

private:
    std::unique_ptr<QTemporaryDir> folder_; // fresh for every SetUp
    QString previous_;
};
