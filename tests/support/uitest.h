#pragma once

// Shared fixture of the UI tests: the real window Prog with the scripted FakePlatform,
// started in a fresh temporary working folder.

#include "fakeplatform.h"
#include "prog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class UiFixture
{
public:
    // Creates the working folder (with a Samples folder unless told otherwise), makes it the
    // current directory and runs the window's start-up there.
    explicit UiFixture(bool withSamples = true)
    {
        m_previous = QDir::currentPath();
        if (withSamples)
            QDir(m_dir.path()).mkdir(QStringLiteral("Samples"));
        QDir::setCurrent(m_dir.path());
    }
    ~UiFixture() { QDir::setCurrent(m_previous); }

    Prog &start()
    {
        prog = std::make_unique<Prog>(platform);
        return *prog;
    }

    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    void writeFile(const QString &relative, const QByteArray &bytes) const
    {
        QFile f(path(relative));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }

    QByteArray readFile(const QString &relative) const
    {
        QFile f(path(relative));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return f.readAll();
    }

    template <class W = QWidget> W *w(const char *name) const
    {
        auto *found = prog->findChild<W *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control named %s of the expected kind", name);
        return found;
    }

    // Chooses a mode in the mode selector as the user does.
    void chooseMode(int mode) const
    {
        auto *combo = w<QComboBox>("Combo1");
        combo->setCurrentIndex(mode);
        Q_EMIT combo->activated(mode);
    }

    // Chooses an entry of any combo box as the user does.
    void choose(const char *name, int index) const
    {
        auto *combo = w<QComboBox>(name);
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    }

    void click(const char *name) const { w<QAbstractButton>(name)->click(); }

    QString caption(const char *name) const;
    // The note line's whole text, as screen readers have it; the line may show it shortened.
    QString note() const { return w("ActionNote")->accessibleName(); }

    FakePlatform platform;
    std::unique_ptr<Prog> prog;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

inline QString UiFixture::caption(const char *name) const
{
    QWidget *c = w(name);
    if (auto *b = qobject_cast<QAbstractButton *>(c))
        return b->text();
    if (auto *l = qobject_cast<QLabel *>(c))
        return l->text();
    if (auto *e = qobject_cast<QLineEdit *>(c))
        return e->text();
    if (auto *g = qobject_cast<QGroupBox *>(c))
        return g->title();
    if (auto *cb = qobject_cast<QComboBox *>(c))
        return cb->currentText();
    if (auto *p = qobject_cast<QPlainTextEdit *>(c))
        return p->toPlainText();
    return {};
}

// The control that holds the keyboard focus, by its design name (a combo box's or a list's
// inner editor stands for the control itself).
inline QString focusName()
{
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName();
    }
    return {};
}

// The controls of container that Tab (or Shift+Tab) visits from the focus on first, in
// order, once round the whole window.
inline QStringList tabChainFrom(QWidget *first, const QWidget *container, bool backward)
{
    first->setFocus(Qt::TabFocusReason);
    QStringList chain{focusName()};
    for (int i = 0; i < 80; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                        backward ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget *now = QApplication::focusWidget();
        if (now == first || (now && now->focusProxy() == first) || focusName() == chain.first())
            break;
        if (now && container->isAncestorOf(now) && focusName() != chain.last())
            chain << focusName();
    }
    return chain;
}
