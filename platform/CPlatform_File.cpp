#include "platform/CPlatform_File.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

namespace
{
QString Path(const std::string& path)
{
    return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

std::string Reason(const QFileDevice& file)
{
    const QByteArray text = file.errorString().toLocal8Bit();
    return std::string(text.constData(), static_cast<size_t>(text.size()));
}
} // namespace

int CPlatform_File::ReadWhole(const std::string& path, size_t nMax, std::string& bytes, std::string& reason)
{
    QFile file(Path(path));
    if (path.empty() || !file.open(QIODevice::ReadOnly))
    {
        reason = path.empty() ? std::string("No file name") : Reason(file);
        return 0;
    }
    if (file.size() > static_cast<qint64>(nMax))
    {
        reason = "The file is larger than " + std::to_string(nMax / (1024 * 1024)) + " MB";
        return 0;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
    {
        reason = Reason(file);
        return 0;
    }
    bytes.assign(data.constData(), static_cast<size_t>(data.size()));
    return 1;
}

int CPlatform_File::WriteWhole(const std::string& path, const std::string& bytes, std::string& reason)
{
    QSaveFile file(Path(path));
    if (path.empty())
    {
        reason = "No file name";
        return 0;
    }
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.commit())
    {
        reason = Reason(file);
        return 0;
    }
    return 1;
}
