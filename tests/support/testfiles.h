#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// Reading and writing whole files in the file tests.

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Writes the file whole; the calling test fails when it cannot.
inline void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}
