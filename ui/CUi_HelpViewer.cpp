#include "ui/CUi_HelpViewer.h"

#include "support/CLang_Help.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <iterator>

namespace
{
// Size of a new help window: a page reads well at about 80 characters a line.
constexpr int HELP_WIDTH_CHARS = 80;
constexpr int HELP_HEIGHT_LINES = 36;
// A help page is small; more than this is not read.
constexpr qint64 HELP_PAGE_MAX = 1024 * 1024;

// The viewer's words and the English ones for a help that brings none.
struct CWord
{
    const char* pszMeta;
    const char* pszDefault;
};
const CWord s_words[] = {
    {"viewer-contents", "Contents"}, {"viewer-back", "Back"},
    {"viewer-forward", "Forward"},   {"viewer-browser", "Open in the web browser"},
    {"viewer-close", "Close"},
};

QString ReadPage(const QString& path)
{
    QFile file(path);
    if (file.size() > HELP_PAGE_MAX || !file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.read(HELP_PAGE_MAX));
}

// The browser shows a page that the program filled in (the first steps) in place of its file, so
// that going back to it and forth works as with any page.
class CFilledBrowser : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int nType, const QUrl& name) override
    {
        if (nType == QTextDocument::HtmlResource && !m_html.isEmpty() && name.isLocalFile() &&
            QFileInfo(name.toLocalFile()) == QFileInfo(m_path))
            return m_html;
        return QTextBrowser::loadResource(nType, name);
    }

    QString m_path;
    QString m_html;
};

QString MetaWord(const QString& html, const char* pszName)
{
    const QRegularExpression meta(QStringLiteral("<meta\\s+name=\"%1\"\\s+content=\"([^\"]*)\"")
                                      .arg(QRegularExpression::escape(QString::fromLatin1(pszName))));
    const QRegularExpressionMatch match = meta.match(html);
    return match.hasMatch() ? match.captured(1) : QString();
}
} // namespace

CUi_HelpViewer::CUi_HelpViewer(QWidget* pParent)
    : QWidget(pParent, Qt::Window), m_pBrowser(new CFilledBrowser(this)), m_pContents(new QToolButton(this)),
      m_pBack(new QToolButton(this)), m_pForward(new QToolButton(this)), m_pExternal(new QToolButton(this)),
      m_pClose(new QPushButton(this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_pBrowser->setOpenExternalLinks(true);
    m_pContents->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    m_pBack->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    m_pForward->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    m_pExternal->setIcon(style()->standardIcon(QStyle::SP_DesktopIcon));
    m_pBack->setEnabled(false);
    m_pForward->setEnabled(false);
    for (QToolButton* pButton : {m_pContents, m_pBack, m_pForward, m_pExternal})
        pButton->setAutoRaise(true);

    auto* pBar = new QHBoxLayout;
    pBar->addWidget(m_pContents);
    pBar->addWidget(m_pBack);
    pBar->addWidget(m_pForward);
    pBar->addWidget(m_pExternal);
    pBar->addStretch(1);
    pBar->addWidget(m_pClose);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pBar);
    pLayout->addWidget(m_pBrowser, 1);

    connect(m_pContents, &QToolButton::clicked, this, &CUi_HelpViewer::ShowContents);
    connect(m_pBack, &QToolButton::clicked, m_pBrowser, &QTextBrowser::backward);
    connect(m_pForward, &QToolButton::clicked, m_pBrowser, &QTextBrowser::forward);
    connect(m_pExternal, &QToolButton::clicked, this, &CUi_HelpViewer::OpenInBrowser);
    connect(m_pClose, &QPushButton::clicked, this, &QWidget::close);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, m_pBack, &QWidget::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, m_pForward, &QWidget::setEnabled);
    connect(m_pBrowser, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& url)
            {
                if (url.isLocalFile())
                    m_pagePath = url.toLocalFile();
                setWindowTitle(m_pBrowser->documentTitle());
            });

    const QFontMetrics metrics(m_pBrowser->font());
    resize(metrics.averageCharWidth() * HELP_WIDTH_CHARS, metrics.lineSpacing() * HELP_HEIGHT_LINES);
    ApplyWords(QString());
}

int CUi_HelpViewer::ShowPage(const std::string& page, const QString& html)
{
    const QString text = QFile::decodeName(page.c_str());
    const qsizetype nHash = text.lastIndexOf(QLatin1Char('#'));
    // Only a "#" after the last separator marks a place; a directory's name may hold one.
    const bool bPlace =
        nHash > text.lastIndexOf(QLatin1Char('/')) && nHash > text.lastIndexOf(QLatin1Char('\\'));
    const QString path = bPlace ? text.left(nHash) : text;
    const QString place = bPlace ? text.mid(nHash + 1) : QString();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return 0;
    ApplyWords(info.absolutePath());
    m_pBrowser->setSearchPaths({info.absolutePath()});
    if (!html.isEmpty())
    {
        auto* pBrowser = static_cast<CFilledBrowser*>(m_pBrowser);
        pBrowser->m_path = info.absoluteFilePath();
        pBrowser->m_html = html;
    }
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    if (!place.isEmpty())
        url.setFragment(place);
    m_pBrowser->setSource(url);
    m_pagePath = info.absoluteFilePath();
    setWindowTitle(m_pBrowser->documentTitle());
    return 1;
}

void CUi_HelpViewer::ApplyWords(const QString& folder)
{
    const QString contents =
        folder.isEmpty() ? QString()
                         : ReadPage(QDir(folder).filePath(QString::fromLatin1(CLang_Help::CONTENTS_PAGE)));
    QWidget* const apTargets[] = {m_pContents, m_pBack, m_pForward, m_pExternal, m_pClose};
    for (size_t i = 0; i < std::size(s_words); ++i)
    {
        QString word = MetaWord(contents, s_words[i].pszMeta);
        if (word.isEmpty())
            word = QString::fromLatin1(s_words[i].pszDefault);
        apTargets[i]->setToolTip(word);
        apTargets[i]->setAccessibleName(word);
    }
    m_pClose->setText(m_pClose->toolTip());
    m_pClose->setToolTip(QString());
}

void CUi_HelpViewer::ShowContents()
{
    if (m_pagePath.isEmpty())
        return;
    const QString contents =
        QFileInfo(m_pagePath).dir().filePath(QString::fromLatin1(CLang_Help::CONTENTS_PAGE));
    m_pBrowser->setSource(QUrl::fromLocalFile(contents));
}

void CUi_HelpViewer::OpenInBrowser()
{
    if (!m_pagePath.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(m_pagePath));
}
