#include "platform/CPlatform_Settings.h"

#include <QSettings>

namespace
{
QString Key(const std::string& section, const std::string& name)
{
    const QString n = QString::fromLatin1(name.c_str());
    return section.empty() ? n : QString::fromLatin1(section.c_str()) + QLatin1Char('/') + n;
}
} // namespace

CPlatform_Settings::CPlatform_Settings(const std::string& organisation, const std::string& application)
    : m_pSettings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                              QString::fromLatin1(organisation.c_str()),
                                              QString::fromLatin1(application.c_str())))
{
}

CPlatform_Settings::~CPlatform_Settings() = default;

int CPlatform_Settings::GetInt(const std::string& section, const std::string& name, int& nValue) const
{
    const QVariant v = m_pSettings->value(Key(section, name));
    if (!v.isValid())
        return 0;
    bool bOk = false;
    const int n = v.toString().trimmed().toInt(&bOk, 10);
    if (!bOk)
        return 0;
    nValue = n;
    return 1;
}

int CPlatform_Settings::GetString(const std::string& section, const std::string& name,
                                  std::string& value) const
{
    const QVariant v = m_pSettings->value(Key(section, name));
    if (!v.isValid())
        return 0;
    const QByteArray bytes = v.toString().toLatin1();
    value.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    return 1;
}

int CPlatform_Settings::SetInt(const std::string& section, const std::string& name, int nValue)
{
    m_pSettings->setValue(Key(section, name), nValue);
    return m_pSettings->status() == QSettings::NoError ? 1 : 0;
}

int CPlatform_Settings::SetString(const std::string& section, const std::string& name,
                                  const std::string& value)
{
    m_pSettings->setValue(Key(section, name),
                          QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size())));
    return m_pSettings->status() == QSettings::NoError ? 1 : 0;
}

int CPlatform_Settings::Sync()
{
    m_pSettings->sync();
    return m_pSettings->status() == QSettings::NoError ? 1 : 0;
}

void CPlatform_Settings::SetRootDirectory(const std::string& directory)
{
    const QString dir = QString::fromLocal8Bit(directory.c_str());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir);
}
