#include "scoringtestsupport.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QTimer>

QList<QMap<QString, QString>> dbfreadRecords(const QString &file)
{
    // Debian's python3-dbfread lives with the system Python, not with
    // whatever python3 comes first on the path.
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(DBFREAD_SCRIPT), file});
    python.waitForFinished();
    const QString output = QString::fromUtf8(python.readAllStandardOutput());
    if (python.exitCode() != 0)
        qWarning("dbfread failed: %s", python.readAllStandardError().constData());

    QList<QMap<QString, QString>> records;
    for (const QString &line : output.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1String("RECORD ")))
            continue;
        QMap<QString, QString> record;
        // Values never hold blanks in these tables: dates and numbers only.
        for (const QString &item : line.mid(7).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const qsizetype eq = item.indexOf(QLatin1Char('='));
            record.insert(item.left(eq), item.mid(eq + 1));
        }
        records << record;
    }
    return records;
}

void whenModal(std::function<void(QWidget *)> body)
{
    QTimer::singleShot(0, [body] {
        QPointer<QWidget> window = QApplication::activeModalWidget();
        // Focus events, and so the bound boxes' writes, need an active window.
        QApplication::setActiveWindow(window);
        if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == window; }))
            qWarning("modal window did not become active");
        body(window);
        if (auto *dialog = qobject_cast<QDialog *>(window.data()); dialog && dialog->isVisible())
            dialog->reject();
    });
}

void typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}
