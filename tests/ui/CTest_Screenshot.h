#pragma once

// Pictures of pages and dialogs for a person to look at. A widget test calls SaveScreenshot with
// the widget as the user would see it; nothing happens unless R740_SCREENSHOT_DIR names a
// directory (scripts/screenshots.sh sets it and runs the widget tests under Xvfb).

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QString>
#include <QWidget>

inline void SaveScreenshot(QWidget* pWidget, const QString& name)
{
    const QString dir = qEnvironmentVariable("R740_SCREENSHOT_DIR");
    if (dir.isEmpty() || !pWidget)
        return;
    QDir().mkpath(dir);
    const bool bWasVisible = pWidget->isVisible();
    if (!bWasVisible)
        pWidget->show();
    QApplication::processEvents();
    pWidget->grab().save(QDir(dir).filePath(name + ".png"));
    if (!bWasVisible)
        pWidget->hide();
}
