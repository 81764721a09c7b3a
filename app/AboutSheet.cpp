#include "app/AboutSheet.h"

#include "app/LicenseText.h"
#include "app/StaticLink.h"
#include "config/DialogUnits.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

// Page contents that are ours to word: the maker's notices and contact data.
const char* const LegalWarning = QT_TRANSLATE_NOOP("CAboutSheet",
    "Warning: this program is protected by copyright law and international treaties. Copying or "
    "distributing it, or any part of it, without the written permission of Tandrel Technologies Inc. "
    "is not permitted.");
const char* const LegalUse = QT_TRANSLATE_NOOP(
    "CAboutSheet", "Use of this program is subject to the terms of its licence agreement.");
const char* const PostalAddress = "Tandrel Technologies Inc.\n1 Example Road\nSampletown ST 00000";
const char* const Phone = QT_TRANSLATE_NOOP("CAboutSheet", "Telephone: 555-0142");
const char* const Fax = QT_TRANSLATE_NOOP("CAboutSheet", "Fax: 555-0143");

QString Translated(const char* text)
{
    return QCoreApplication::translate("CAboutSheet", text);
}

const char* const SupportEmail = "support@example.com";
const char* const SupportWeb = "https://www.example.org/support";

QPixmap ProgramIcon()
{
    // Icon 128 at 32 x 32 device-independent pixels, sharp on scaled screens.
    QIcon icon;
    for (const int size : { 32, 48, 64, 128 })
        icon.addFile(QStringLiteral(":/icons/128-%1.png").arg(size), QSize(size, size));
    if (icon.availableSizes().isEmpty() || icon.pixmap(32, 32).isNull())
        icon = QApplication::windowIcon();
    if (icon.isNull())
        return QPixmap();
    return icon.pixmap(QSize(32, 32), qApp->devicePixelRatio());
}

} // namespace

CAboutPage::CAboutPage(const QString& className, const QString& tabText, bool withHeader)
    : m_tabText(tabText)
{
    setObjectName(className);
    const CDialogUnits du;
    setMinimumSize(du.X(266), du.Y(180));
    if (!withHeader)
        return;

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("128"));
    icon->setPixmap(ProgramIcon());
    icon->move(du.X(12), du.Y(19));
    icon->resize(icon->sizeHint());

    m_title = AddLabel(1001, QString(), 50, 9, 200, 16);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    du.Place(frame, 4, 136, 260, 42);
    QLabel* warning = AddLabel(1002, Translated(LegalWarning), 8, 140, 252, 36);
    warning->raise();
}

void CAboutPage::SetTitle(const QString& title)
{
    if (!m_title)
        return;
    m_title->setText(title);
    // The title's line (ascent plus descent) is 20 pixels high, so the em is
    // smaller: the largest pixel size whose line still fits.
    constexpr int kLineHeight = 20;
    QFont bold = m_title->font();
    bold.setWeight(QFont::Bold);
    for (int size = kLineHeight; size > 1; --size) {
        bold.setPixelSize(size);
        if (QFontMetrics(bold).height() <= kLineHeight)
            break;
    }
    m_title->setFont(bold);
}

QLabel* CAboutPage::AddLabel(int id, const QString& text, int x, int y, int width, int height)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::number(id));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    CDialogUnits().Place(label, x, y, width, height);
    return label;
}

QPlainTextEdit* CAboutPage::AddReadOnlyEdit(int id, int x, int y, int width, int height)
{
    auto* edit = new QPlainTextEdit(this);
    edit->setObjectName(QString::number(id));
    edit->setReadOnly(true);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    CDialogUnits().Place(edit, x, y, width, height);
    return edit;
}

CAboutDescriptionPage::CAboutDescriptionPage(const QString& description1, const QString& description2)
    : CAboutPage(QStringLiteral("CAboutDescriptionPage"), tr("Description"), true)
{
    AddLabel(1004, description1, 50, 32, 200, 60);
    AddLabel(1005, description2, 50, 92, 200, 44);
}

CAboutLegalPage::CAboutLegalPage()
    : CAboutPage(QStringLiteral("CAboutLegalPage"), tr("Intellectual Property"), true)
{
    AddLabel(1006, LoadResString(138), 50, 30, 200, 21);
    QPlainTextEdit* notice = AddReadOnlyEdit(1007, 12, 53, 238, 80);
    QString text = LoadResString(137);
    if (!text.isEmpty())
        text += QStringLiteral("\n\n") + Translated(LegalUse);
    notice->setPlainText(text);
}

CAboutTechSupportPage::CAboutTechSupportPage()
    : CAboutPage(QStringLiteral("CAboutTechSupportPage"), tr("Technical Support"), true)
{
    AddLabel(1003, BuildLine(QStringLiteral("Build %s %s %s")), 50, 30, 200, 8);
    AddLabel(1010, QString::fromUtf8(PostalAddress), 50, 44, 200, 26);
    AddLabel(1011, Translated(Phone), 50, 72, 200, 8);
    AddLabel(1012, Translated(Fax), 50, 82, 200, 8);
    AddLabel(1013, tr("E-mail:"), 50, 98, 30, 8);
    AddLabel(1014, tr("Web:"), 50, 110, 30, 8);

    const CDialogUnits du;
    m_email = new CStaticLink(QString::fromUtf8(SupportEmail), this, 1021);
    du.Place(m_email, 82, 98, 168, 8);
    m_web = new CStaticLink(QString::fromUtf8(SupportWeb), this, 1020);
    du.Place(m_web, 82, 110, 168, 8);
    // The links size to their text, so the hand cursor shows only over it.
    m_email->resize(m_email->sizeHint().width(), m_email->height());
    m_web->resize(m_web->sizeHint().width(), m_web->height());
}

QString CAboutTechSupportPage::FileVersion()
{
    // Four 16-bit words, most significant first, as the version resource has them.
    const QStringList parts = QStringLiteral(KESTAVO_VERSION).split(QLatin1Char('.'));
    int words[4] = { 0, 0, 0, 0 };
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        words[i] = parts[i].toInt() & 0xFFFF;
    return QStringLiteral("%1.%2.%3.%4").arg(words[0]).arg(words[1]).arg(words[2]).arg(words[3]);
}

QString CAboutTechSupportPage::BuildLine(const QString& format)
{
    // __DATE__ pads a one-digit day with a blank ("Dec  7 2026"): one blank
    // between the parts reads better.
    const QString date = QString::fromLatin1(__DATE__).simplified();
    const QString time = QString::fromLatin1(__TIME__);
    const QString values[3] = { FileVersion(), time, date };
    QString line;
    int next = 0;
    for (int i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('%') && i + 1 < format.size() && format[i + 1] == QLatin1Char('s')
            && next < 3) {
            line += values[next++];
            ++i;
        } else {
            line += format[i];
        }
    }
    return line;
}

CAboutLicensePage::CAboutLicensePage()
    : CAboutPage(QStringLiteral("CAboutLicensePage"), tr("License"), false)
{
    m_edit = AddReadOnlyEdit(1008, 14, 12, 238, 157);
}

bool CAboutLicensePage::LoadLicenseText(const QString& path)
{
    m_text.clear();
    m_loaded = false;
    if (path.isEmpty())
        return false;
    QString error;
    if (!LicenseText::Read(path, &m_text, &error)) {
        QMessageBox::critical(this, QString(), error);
        return false;
    }
    m_loaded = true;
    return true;
}

void CAboutLicensePage::ShowText()
{
    if (!m_loaded)
        return;
    m_edit->setPlainText(m_text);
    QTextCursor cursor = m_edit->textCursor();
    cursor.movePosition(QTextCursor::Start);
    m_edit->setTextCursor(cursor);
    m_edit->ensureCursorVisible();
}

CAboutSheet::CAboutSheet(const QString& caption, QWidget* parent, int firstPage, const QString& title,
    const QString& description1, const QString& description2, const QString& licensePath, int spare)
    : QDialog(parent)
    , m_title(title.isEmpty() ? LoadResString(57344) : title)
    , m_description1(description1.isEmpty() ? LoadResString(134) : description1)
    , m_description2(description2.isEmpty() ? LoadResString(135) : description2)
    , m_spare(spare)
    , m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("CAboutSheet"));
    setWindowTitle(caption);
    m_tabs->setObjectName(QStringLiteral("tabs"));

    if (!m_description1.isEmpty()) {
        m_description = new CAboutDescriptionPage(m_description1, m_description2);
        m_tabs->addTab(m_description, m_description->TabText());
    }
    m_license = new CAboutLicensePage();
    if (m_license->LoadLicenseText(licensePath)) {
        m_license->ShowText();
        m_tabs->addTab(m_license, m_license->TabText());
    } else {
        delete m_license;
        m_license = nullptr;
    }
    m_legal = new CAboutLegalPage();
    m_tabs->addTab(m_legal, m_legal->TabText());
    m_techSupport = new CAboutTechSupportPage();
    m_tabs->addTab(m_techSupport, m_techSupport->TabText());

    for (int i = 0; i < m_tabs->count(); ++i)
        static_cast<CAboutPage*>(m_tabs->widget(i))->SetTitle(m_title);
    if (firstPage >= 0 && firstPage < m_tabs->count())
        m_tabs->setCurrentIndex(firstPage);

    // A single OK button at the right; Cancel exists but stays hidden, so
    // Escape still closes the box.
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->hide();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
}

int CAboutSheet::ShowAbout(QWidget* parent)
{
    CAboutSheet sheet(QString(), parent, 0, QString(), QString(), QString(), LicenseText::Find(), 0);
    return sheet.exec();
}
