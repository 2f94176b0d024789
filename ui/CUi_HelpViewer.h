#pragma once

// The help pages in a window of their own, beside the program (not modal: the user reads and works
// at once). It follows the pages' links, goes back and forth, shows the contents, and hands the page
// to the platform's browser on request. Its buttons' words come from the contents page of the same
// help folder (meta entries "viewer-contents", "viewer-back", "viewer-forward", "viewer-browser",
// "viewer-close"), so that a help in another language brings its own.

#include <QWidget>

#include <string>

class QTextBrowser;
class QToolButton;
class QPushButton;

class CUi_HelpViewer : public QWidget
{
    Q_OBJECT

public:
    explicit CUi_HelpViewer(QWidget* pParent = nullptr);

    // Shows a page: the HTML file's path, optionally followed by "#" and a place on it. html, when
    // not empty, is shown in place of the file's text (a page filled in by the program). 0 when
    // the file does not exist.
    int ShowPage(const std::string& page, const QString& html = QString());

    QTextBrowser* Browser() const { return m_pBrowser; }
    // The file shown (without its place).
    QString PagePath() const { return m_pagePath; }

private:
    void ApplyWords(const QString& folder);
    void ShowContents();
    void OpenInBrowser();

    QTextBrowser* m_pBrowser;
    QToolButton* m_pContents;
    QToolButton* m_pBack;
    QToolButton* m_pForward;
    QToolButton* m_pExternal;
    QPushButton* m_pClose;
    QString m_pagePath;
};
