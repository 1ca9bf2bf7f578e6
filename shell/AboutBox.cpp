#include "shell/AboutBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace orvanta {

namespace {

constexpr int PictureSize = 112;
// The coded square is drawn a little smaller than the picture so that the
// star points at +-1.414 still fit.
constexpr double CodedHalfWidth = 1.7;

// Pixel position of a point of the coded plane.
QPointF ToPicture(double x1, double x2) {
    const double scale = PictureSize / (2.0 * CodedHalfWidth);
    return {(x1 + CodedHalfWidth) * scale, (CodedHalfWidth - x2) * scale};
}

// The level lines of a quadratic response, as nested filled ellipses from
// the outside in: the darker, the higher.
void DrawResponseLevels(QPainter& painter) {
    const double scale = PictureSize / (2.0 * CodedHalfWidth);
    painter.save();
    painter.translate(ToPicture(0.35, 0.25));
    painter.rotate(-30.0);
    constexpr int levels = 7;
    for (int level = levels; level >= 1; --level) {
        const double radius = 0.28 * level * scale;
        const int lightness = 235 - 18 * (levels - level);
        painter.setPen(QPen(QColor(70, 110, 170, 110), 0.8));
        painter.setBrush(QColor::fromHsl(212, 150, lightness));
        painter.drawEllipse(QPointF(0, 0), radius * 1.45, radius);
    }
    painter.restore();
}

void DrawDesignPoints(QPainter& painter) {
    const double alpha = std::sqrt(2.0);
    painter.setPen(QPen(QColor(60, 60, 60), 1.0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(ToPicture(-1, 1), ToPicture(1, -1)));
    painter.setPen(QPen(QColor(90, 90, 90), 0.8, Qt::DotLine));
    painter.drawLine(ToPicture(-alpha, 0), ToPicture(alpha, 0));
    painter.drawLine(ToPicture(0, -alpha), ToPicture(0, alpha));

    painter.setPen(QPen(QColor(20, 30, 60), 1.2));
    painter.setBrush(QColor(20, 40, 90));
    for (const double x1 : {-1.0, 1.0})
        for (const double x2 : {-1.0, 1.0})
            painter.drawEllipse(ToPicture(x1, x2), 4.0, 4.0);
    painter.setPen(QPen(QColor(200, 90, 0), 2.0));
    painter.setBrush(QColor(255, 250, 240));
    for (const QPointF star :
         {ToPicture(-alpha, 0), ToPicture(alpha, 0), ToPicture(0, -alpha), ToPicture(0, alpha)})
        painter.drawEllipse(star, 3.5, 3.5);
    painter.setPen(QPen(QColor(120, 0, 0), 1.2));
    painter.setBrush(QColor(220, 30, 30));
    painter.drawEllipse(ToPicture(0, 0), 4.5, 4.5);
}

// The program's picture: a rotatable central composite design for two
// factors over the level lines of the response it was made to find.
QPixmap DrawProgramPicture() {
    QPixmap picture(PictureSize, PictureSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.5, 0.5, PictureSize - 1.0, PictureSize - 1.0), 10, 10);
    painter.fillPath(frame, QColor(248, 250, 253));
    painter.setClipPath(frame);
    DrawResponseLevels(painter);
    DrawDesignPoints(painter);
    painter.setClipping(false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(110, 130, 160), 1.0));
    painter.drawPath(frame);
    return picture;
}

QLabel* MakeLabel(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

// A label that looks and points like a link but keeps its plain text.
QLabel* MakeLinkLabel(const QString& text, const char* name, QWidget* parent) {
    QLabel* label = MakeLabel(text, name, parent);
    label->setCursor(Qt::PointingHandCursor);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    label->setPalette(palette);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("О программе"));
    // Modal to the main window only: the help window that "Поддержка ..."
    // opens stays usable while the box is up.
    setWindowModality(Qt::WindowModal);
    BuildControls();
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(TechSuppBtn, &QPushButton::clicked, this, &TAboutBox::TechSuppBtnClick);
}

void TAboutBox::BuildControls() {
    ProgramIcon = MakeLabel(QString(), "ProgramIcon", this);
    ProgramIcon->setPixmap(DrawProgramPicture());
    ProgramIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    ProgramIcon->installEventFilter(this);

    ProductLabel = MakeLabel(QStringLiteral("Орванта 0.3.1"), "ProductLabel", this);
    QFont productFont = ProductLabel->font();
    productFont.setBold(true);
    if (productFont.pointSizeF() > 0)
        productFont.setPointSizeF(productFont.pointSizeF() * 1.6);
    ProductLabel->setFont(productFont);
    RevisionLabel = MakeLabel(QStringLiteral("Ревизия, построение:"), "RevisionLabel", this);
    BuildLabel = MakeLabel(QStringLiteral("0.3.1-313 (08.11.2019)"), "BuildLabel", this);
    CopyrightLabel =
        MakeLabel(QStringLiteral("© Разработчики Орванты, 2019"), "CopyrightLabel", this);
    OsLabel = MakeLabel(QString(), "OsLabel", this);
    GoHome = MakeLinkLabel(QStringLiteral("Страничка проекта на сервере автора"), "GoHome", this);
    GoHome->installEventFilter(this);

    OKButton = new QPushButton(QStringLiteral("Закрыть"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    TechSuppBtn = new QPushButton(QStringLiteral("Поддержка ..."), this);
    TechSuppBtn->setObjectName(QStringLiteral("TechSuppBtn"));
    TechSuppBtn->setAutoDefault(false);
    ArrangeControls();
}

void TAboutBox::ArrangeControls() {
    auto* revision = new QHBoxLayout;
    revision->setSpacing(6);
    revision->addWidget(RevisionLabel);
    revision->addWidget(BuildLabel);
    revision->addStretch();
    auto* texts = new QVBoxLayout;
    texts->addWidget(ProductLabel);
    texts->addLayout(revision);
    texts->addWidget(CopyrightLabel);
    texts->addSpacing(8);
    texts->addWidget(OsLabel);
    texts->addSpacing(8);
    texts->addWidget(GoHome);
    texts->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(TechSuppBtn);
    buttons->addWidget(OKButton);
    auto* layout = new QGridLayout(this);
    layout->addWidget(ProgramIcon, 0, 0);
    layout->addLayout(texts, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setHorizontalSpacing(16);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::showEvent(QShowEvent* event) {
    // Read on every showing: the memory may change under a virtual machine.
    if (OsInfoSource) {
        OsLabel->setText(QString::fromStdString(OsLabelText(OsInfoSource())));
        // The box takes the new width before it appears, not a frame later.
        layout()->activate();
    }
    OKButton->setFocus();
    QDialog::showEvent(event);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == GoHome && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            GoHome->rect().contains(mouse->position().toPoint())) {
            GoHomeClick();
            return true;
        }
    }
    if (watched == ProgramIcon && event->type() == QEvent::MouseButtonDblClick) {
        ProgramIconDblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::TechSuppBtnClick() {
    CallHelp(THelpCommand::Context, 3102);
}

void TAboutBox::GoHomeClick() {
    if (UrlOpener)
        UrlOpener(QUrl(QString::fromLatin1(ProjectHomeUrl)));
}

void TAboutBox::ProgramIconDblClick() {
    if (UrlOpener)
        UrlOpener(QUrl(QString::fromLatin1(ProjectSecondUrl)));
}

} // namespace orvanta
