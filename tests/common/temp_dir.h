#pragma once
// A fresh start directory for one test, made current for its lifetime: the program keeps
// every file in the directory it was started from.

#include <QDir>
#include <QTemporaryDir>

namespace zeb::testing {

class ScopedStartDirectory {
public:
    ScopedStartDirectory() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~ScopedStartDirectory() { QDir::setCurrent(m_previous); }
    QString Path() const { return m_dir.path(); }
    QString File(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

} // namespace zeb::testing
