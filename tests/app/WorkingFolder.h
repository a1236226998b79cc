// The app tests' fixture: each test runs in a fresh, empty working folder, the folder the
// program opens its tables from, and the old one is put back afterwards.
#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class TWorkingFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    }
    void TearDown() override { QDir::setCurrent(m_previous); }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QString m_previous;
};
