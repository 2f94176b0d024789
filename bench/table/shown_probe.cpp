// A Qt generic plugin for the start-up measurement: when the program's first window is exposed it
// notes the monotonic clock, waits a moment for what the program does right after (a document
// still loading), then writes "r740shownprobe: shown-ns N rss-kb K" to standard error and ends the
// process at once. Any Qt program takes it without a change of its own.

#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace
{
// How long the program may go on working after its window is shown before the memory is read.
constexpr int SETTLE_MS = 1000;

long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 6, "VmRSS:") == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

class CShownProbe : public QObject
{
public:
    explicit CShownProbe(QObject* pParent) : QObject(pParent)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* pObject, QEvent* pEvent) override
    {
        if (m_nShownNs == 0 && pEvent->type() == QEvent::Expose && pObject->isWindowType() &&
            static_cast<QWindow*>(pObject)->isVisible())
        {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            m_nShownNs = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
            QTimer::singleShot(SETTLE_MS, this,
                               [this]()
                               {
                                   std::fprintf(stderr, "r740shownprobe: shown-ns %lld rss-kb %ld\n",
                                                m_nShownNs, ResidentKb());
                                   std::fflush(stderr);
                                   std::_Exit(0);
                               });
        }
        return false;
    }

private:
    long long m_nShownNs = 0;
};
} // namespace

class CShownProbePlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "shown_probe.json")
public:
    QObject* create(const QString&, const QString&) override
    {
        return new CShownProbe(QCoreApplication::instance());
    }
};

#include "shown_probe.moc"
