#include "platform/CPlatform_Path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace
{
QString FromLocal(const std::string& s)
{
    return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size()));
}

std::string ToLocal(const QString& s)
{
    return QDir::toNativeSeparators(s).toLocal8Bit().toStdString();
}
} // namespace

bool CPlatform_Path::FileExists(const std::string& path)
{
    return !path.empty() && QFileInfo(FromLocal(path)).isFile();
}

std::vector<std::string> CPlatform_Path::ListFiles(const std::string& directory, const std::string& pattern)
{
    std::vector<std::string> names;
    const QDir dir(FromLocal(directory));
    if (directory.empty() || !dir.exists())
        return names;
    const QStringList found = dir.entryList({FromLocal(pattern)}, QDir::Files, QDir::Name);
    for (const QString& name : found)
        names.push_back(name.toLocal8Bit().toStdString());
    return names;
}

std::string CPlatform_Path::ExecutableDirectory()
{
    if (!QCoreApplication::instance())
        return std::string();
    return ToLocal(QCoreApplication::applicationDirPath());
}

std::string CPlatform_Path::CurrentDirectory()
{
    return ToLocal(QDir::currentPath());
}
