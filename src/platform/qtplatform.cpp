#include "qtplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSettings>

namespace {

// The user's settings of Brindle: ~/.config/Brindle/Brindle.conf, or the registry on Windows.
QSettings userSettings()
{
    return QSettings(QStringLiteral("Brindle"), QStringLiteral("Brindle"));
}

const QString placeKey = QStringLiteral("window/place");

QString shownTitle(const QString &title)
{
    return title.isEmpty() ? QString::fromLatin1(Platform::applicationTitle) : title;
}

QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

QList<QMessageBox::StandardButton> buttonsOf(int set)
{
    switch (set) {
    case Platform::OkCancel:
        return {QMessageBox::Ok, QMessageBox::Cancel};
    case Platform::AbortRetryIgnore:
        return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case Platform::YesNoCancel:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case Platform::YesNo:
        return {QMessageBox::Yes, QMessageBox::No};
    case Platform::RetryCancel:
        return {QMessageBox::Retry, QMessageBox::Cancel};
    default:
        return {QMessageBox::Ok};
    }
}

int answerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return Platform::Cancel;
    case QMessageBox::Abort:
        return Platform::Abort;
    case QMessageBox::Retry:
        return Platform::Retry;
    case QMessageBox::Ignore:
        return Platform::Ignore;
    case QMessageBox::Yes:
        return Platform::Yes;
    case QMessageBox::No:
        return Platform::No;
    default:
        return Platform::Ok;
    }
}

QMessageBox::Icon iconOf(int icon)
{
    switch (icon) {
    case Platform::Critical:
        return QMessageBox::Critical;
    case Platform::Question:
        return QMessageBox::Question;
    case Platform::Exclamation:
        return QMessageBox::Warning;
    case Platform::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int QtPlatform::messageBox(const QString &text, int flags, const QString &title,
                           const QString &details)
{
    QMessageBox box(iconOf(flags & 0x70), shownTitle(title), displayText(text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    box.setInformativeText(displayText(details));
    const auto buttons = buttonsOf(flags & 0x7);
    for (auto b : buttons)
        box.addButton(b);
    const int defaultIndex = (flags & 0x300) >> 8;
    if (defaultIndex < buttons.size())
        box.setDefaultButton(buttons.at(defaultIndex));
    if (flags & SystemModal)
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // Escape answers with the cancelling button when the set has one.
    if (buttons.contains(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    else if (buttons.size() == 1)
        box.setEscapeButton(buttons.first());
    box.exec();
    auto *clicked = box.clickedButton();
    return clicked ? answerOf(box.standardButton(clicked)) : answerOf(buttons.first());
}

QString QtPlatform::inputBox(const QString &prompt, const QString &title,
                             const QString &defaultAnswer)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), shownTitle(title), displayText(prompt),
                              QLineEdit::Normal, defaultAnswer, &ok);
    return ok ? text : QString();
}

bool QtPlatform::keepWaiting(const QString &what)
{
    // A short wait passes without a box, which would only flash.
    constexpr qint64 showAfterMs = 400;
    if (!m_waiting.isValid()) {
        m_waiting.start();
        m_waitCancelled = false;
    }
    if (!m_waitBox && m_waiting.elapsed() >= showAfterMs) {
        m_waitBox = new QProgressDialog(displayText(what), QStringLiteral("Cancel"), 0, 0,
                                        QApplication::activeWindow());
        m_waitBox->setWindowTitle(shownTitle({}));
        // The box takes all input while it is up, so nothing else of the window runs
        // meanwhile; Escape or its button cancels the wait.
        m_waitBox->setWindowModality(Qt::ApplicationModal);
        m_waitBox->setMinimumDuration(0);
        m_waitBox->setAutoReset(false);
        m_waitBox->setAutoClose(false);
        QObject::connect(m_waitBox, &QProgressDialog::canceled, m_waitBox,
                         [this] { m_waitCancelled = true; });
        m_waitBox->show();
    }
    if (m_waitBox)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return !m_waitCancelled;
}

void QtPlatform::endWaiting()
{
    m_waiting.invalidate();
    if (m_waitBox)
        m_waitBox->deleteLater();
    m_waitBox = nullptr;
}

void QtPlatform::replaceClipboard(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

void QtPlatform::setTopmost(QWidget *window, bool topmost)
{
    const bool wasVisible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    // Changing a window flag hides a shown window; show it again in place.
    if (wasVisible)
        window->show();
}

void QtPlatform::quit()
{
    QCoreApplication::exit(0);
}

std::optional<QPoint> QtPlatform::rememberedPlace()
{
    const QVariant place = userSettings().value(placeKey);
    if (place.typeId() != QMetaType::QPoint)
        return std::nullopt;
    return place.toPoint();
}

void QtPlatform::rememberPlace(const QPoint &place)
{
    userSettings().setValue(placeKey, place);
}
