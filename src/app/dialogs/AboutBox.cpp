// The about box; its mail label lights up green under the mouse like a link.
#include "dialogs/AboutBox.h"

#include "support/Text.h"

#include "base/WebAddresses.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor MailColour = quorvel::colourFromWindows(0xC08000);
const QColor MailHoverColour = quorvel::colourFromWindows(0x008000);

} // namespace

// Three tiles in the game's letter colours: a free, a locked and a found letter.
QPixmap AboutBox::gameIcon(qreal pixelRatio) {
    QPixmap icon(QSize(64, 64) * pixelRatio);
    icon.setDevicePixelRatio(pixelRatio);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    const struct {
        QRect rect;
        QChar letter;
        quorvel::Colour colour;
    } tiles[] = {{QRect(2, 2, 30, 30), QLatin1Char('Q'), 0xEC0000},
                 {QRect(32, 2, 30, 30), QLatin1Char('V'), 0x66AA00},
                 {QRect(17, 32, 30, 30), QLatin1Char('L'), 0x5A0EDA}};
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    font.setPixelSize(20);
    p.setFont(font);
    for (const auto& tile : tiles) {
        p.setPen(QPen(QColor(120, 120, 120), 1));
        p.setBrush(QColor(240, 240, 240));
        p.drawRect(tile.rect.adjusted(0, 0, -1, -1));
        p.setPen(Qt::white);
        p.drawLine(tile.rect.topLeft() + QPoint(1, 1), tile.rect.topRight() + QPoint(-2, 1));
        p.drawLine(tile.rect.topLeft() + QPoint(1, 1), tile.rect.bottomLeft() + QPoint(1, -2));
        p.setPen(quorvel::colourFromWindows(tile.colour));
        p.drawText(tile.rect, Qt::AlignCenter, QString(tile.letter));
    }
    return icon;
}

AboutBox::AboutBox(UrlOpener opener, QWidget* parent) : QDialog(parent), m_open(std::move(opener)) {
    setObjectName(QStringLiteral("TfrmAbout"));
    setWindowTitle(QStringLiteral("About Quorvel"));
    m_panel = createPanel();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_panel, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The colour follows the mouse over the label and the panel around it.
    m_panel->setMouseTracking(true);
    m_mail->setMouseTracking(true);
    m_panel->installEventFilter(this);
    m_mail->installEventFilter(this);
}

// The raised panel: the icon beside the name, the version and the support address.
QWidget* AboutBox::createPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);

    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    // The game's own icon when the application has one; a painted stand-in otherwise.
    const QIcon appIcon = QApplication::windowIcon();
    // At the screen's pixel density: the icon is drawn, or taken from the larger picture.
    const qreal ratio = devicePixelRatioF();
    icon->setPixmap(appIcon.isNull() ? gameIcon(ratio) : appIcon.pixmap(QSize(64, 64), ratio));
    QVBoxLayout* words = createWords(panel);

    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(16, 16, 24, 16);
    panelLayout->setSpacing(18);
    panelLayout->addWidget(icon, 0, Qt::AlignTop);
    panelLayout->addLayout(words, 1);
    return panel;
}

QVBoxLayout* AboutBox::createWords(QWidget* panel) {
    auto* title = new QLabel(QStringLiteral("Quorvel"), panel);
    title->setObjectName(QStringLiteral("ProductName"));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.8);
    title->setFont(big);
    auto* version = new QLabel(QStringLiteral("Version 1.0a"), panel);
    version->setObjectName(QStringLiteral("Version"));
    createMailLabel(panel);

    auto* words = new QVBoxLayout;
    words->addWidget(title);
    words->addWidget(version);
    words->addSpacing(8);
    words->addWidget(new QLabel(QStringLiteral("Questions, ideas, word lists:"), panel));
    words->addWidget(m_mail);
    words->addStretch(1);
    return words;
}

// The support address, underlined like a link; a click writes to it.
void AboutBox::createMailLabel(QWidget* panel) {
    m_mail = new QLabel(QString::fromLatin1(quorvel::web::SupportMail.data(),
                                            static_cast<qsizetype>(quorvel::web::SupportMail.size())),
                        panel);
    m_mail->setObjectName(QStringLiteral("Label2"));
    QFont underlined = m_mail->font();
    underlined.setUnderline(true);
    m_mail->setFont(underlined);
    m_mail->setCursor(Qt::PointingHandCursor);
    m_mail->setToolTip(QStringLiteral("E-mail support"));
    setMailColour(MailColour);
}

QUrl AboutBox::supportMail() const {
    const std::string subject = quorvel::toCp1252(windowTitle() + QStringLiteral(" support, feedback, etc."));
    return encodedUrl(quorvel::web::supportMailTo(subject));
}

void AboutBox::setMailColour(const QColor& colour) {
    QPalette palette = m_mail->palette();
    palette.setColor(QPalette::WindowText, colour);
    m_mail->setPalette(palette);
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    // The label keeps its mouse events: passed on to the panel, they would undo the green.
    if (watched == m_mail) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            setMailColour(MailHoverColour);
            return event->type() == QEvent::MouseMove;
        case QEvent::MouseButtonPress:
            return true;
        case QEvent::MouseButtonRelease:
            if (m_open)
                m_open(supportMail());
            return true;
        default:
            break;
        }
    } else if (watched == m_panel && event->type() == QEvent::MouseMove) {
        setMailColour(MailColour);
    }
    return QDialog::eventFilter(watched, event);
}
