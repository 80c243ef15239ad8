// The scoring and schedule windows under faults: a damaged preference file,
// a read-only working directory, a second running copy holding the tables.
#include "faultsupport.h"

#include "amortization/amortbuiltin.h"
#include "datastore/table.h"
#include "scoring/should_i.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/sharedvalues.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <unistd.h>

namespace {

const QString kCannotCreate =
    QStringLiteral("Unable to create ZIVORODI.DBF. Make sure program is in a writable directory.");
const QString kCannotOpen = QStringLiteral("Cannot Open ZIVORODI.DBF. Make sure no one else us using the program.");
const QString kCannotCreateTemp =
    QStringLiteral("Could not create temp table. Make sure no one else is running this tool now.");
const QString kCannotPostDefaults = QStringLiteral("Could not post defaults");

// Runs body on the modal window once its exec() has started, then closes the
// window if the body left it open. Gives up after about three seconds, so a
// window that never comes fails the test instead of hanging it.
void onModal(std::function<void(QDialog *)> body, int attempts = 300)
{
    QTimer::singleShot(10, [body, attempts] {
        auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!window) {
            if (attempts > 0)
                onModal(body, attempts - 1);
            return;
        }
        body(window);
        if (window->isVisible())
            window->reject();
    });
}

QPushButton *button(QWidget *window, const char *name)
{
    return window->findChild<QPushButton *>(QString::fromLatin1(name));
}

// Presses Calculate, then Preferences, and leaves the preference window
// with its Continue button: every use of the table the scoring window has.
void useEveryButton(QDialog *window)
{
    button(window, "CalcBtn")->click();
    onModal([](QDialog *prefs) { button(prefs, "Button1")->click(); });
    button(window, "BitBtnPrefs")->click();
}

void writeFile(const std::string &name, const std::string &bytes)
{
    std::ofstream(name, std::ios::binary | std::ios::trunc) << bytes;
}

// A sound preference file of one record, as the layer writes it.
std::string soundPrefFile()
{
    TData data;
    seedPrefTable(data);
    const std::string bytes = fileBytes("ZIVORODI.DBF");
    QFile::remove(QStringLiteral("ZIVORODI.DBF"));
    return bytes;
}

std::string withByte(std::string bytes, std::size_t offset, char value)
{
    bytes[offset] = value;
    return bytes;
}

// Runs in a child process of the test: the scoring window, then the
// schedule window's Preview, in the working directory given, without the
// right to write there. Prints what the user was shown, one line each.
int readOnlyRun(int argc, char **argv)
{
    // Root may write anywhere: become nobody first.
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        return 3;
    if (chdir(argv[2]) != 0)
        return 4;
    QApplication app(argc, argv);
    TData data;
    SharedLoanValues shared;
    RecordedMessages messages;
    const auto print = [&messages](const char *step) {
        for (const QString &text : messages.messages)
            std::printf("%s message: %s\n", step, qPrintable(text));
        for (const QString &text : messages.errors)
            std::printf("%s error: %s\n", step, qPrintable(text));
        messages.clear();
    };

    onModal([&](QDialog *window) {
        print("opened");
        button(window, "CalcBtn")->click();
        print("calculated");
        std::printf("scoring window %s\n", window->isVisible() ? "open" : "closed");
    });
    openModal<TfrmShould_I>(nullptr, shared, messages, data);
    print("closed");

    onModal([&](QDialog *window) {
        static_cast<TfrmAmortBuiltIn *>(window)->BitBtnOK->click();
        print("previewed");
        std::printf("schedule window %s\n", window->isVisible() ? "open" : "closed");
    });
    openModal<TfrmAmortBuiltIn>(nullptr, shared, messages, data);
    print("closed");
    std::fflush(stdout);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

}  // namespace

class TestFaultWindows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void damagedPrefFile_data();
    void damagedPrefFile();
    void readOnlyDirectory();
    void scoreWhileAnotherCopyEditsPreferences();
    void previewWhileAnotherCopyShowsTheSchedule();

private:
    std::unique_ptr<TemporaryWorkDir> m_dir;
    std::unique_ptr<TData> m_data;
    SharedLoanValues m_shared;
    RecordedMessages m_messages;
};

void TestFaultWindows::init()
{
    m_dir = std::make_unique<TemporaryWorkDir>();
    m_data = std::make_unique<TData>();
    m_shared = SharedLoanValues();
    m_messages.clear();
}

void TestFaultWindows::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    m_data.reset();
    m_dir.reset();
}

void TestFaultWindows::damagedPrefFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const TemporaryWorkDir scratch;
    const std::string sound = soundPrefFile();
    const auto row = [](const char *name, const std::string &bytes) {
        QTest::newRow(name) << QByteArray::fromStdString(bytes);
    };
    // 32 header bytes, 19 descriptors of 32 and the terminator make 641; the
    // record of 63 and the end mark follow.
    QCOMPARE(sound.size(), std::size_t(641 + 63 + 1));
    row("empty file", "");
    row("cut inside the header", sound.substr(0, 40));
    row("cut inside the descriptors", sound.substr(0, 300));
    row("cut inside the record", sound.substr(0, 641 + 30));
    row("garbage header", std::string(32, '\xA5') + sound.substr(32));
    row("text instead of a table", std::string(705, 'x'));
    row("record length 64 for fields of 63", withByte(sound, 10, 64));
    row("record length 62 for fields of 63", withByte(sound, 10, 62));
    row("record count 4294967295",
        withByte(withByte(withByte(withByte(sound, 4, '\xFF'), 5, '\xFF'), 6, '\xFF'), 7, '\xFF'));
    row("record count 1000", withByte(withByte(sound, 4, '\xE8'), 5, '\x03'));
    row("header length beyond the file", withByte(withByte(sound, 8, '\xFF'), 9, '\x7F'));
}

void TestFaultWindows::damagedPrefFile()
{
    QFETCH(QByteArray, bytes);
    writeFile("ZIVORODI.DBF", bytes.toStdString());

    QStringList shownAtOpening;
    onModal([&](QDialog *window) {
        shownAtOpening = m_messages.all;
        useEveryButton(window);
    });
    openModal<TfrmShould_I>(nullptr, m_shared, m_messages, *m_data);

    QCOMPARE(shownAtOpening, QStringList{kCannotOpen});
    QCOMPARE(m_messages.messages, (QStringList{kCannotOpen, kCannotPostDefaults}));
    QCOMPARE(m_messages.errors, QStringList{"Field 'AVG_AMT' not found."});
    // The lender may want the damaged file recovered: it is left as it was.
    QCOMPARE(QByteArray::fromStdString(fileBytes("ZIVORODI.DBF")), bytes);
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{"ZIVORODI.DBF"});
}

void TestFaultWindows::readOnlyDirectory()
{
    QVERIFY(QFile::setPermissions(QString::fromStdString(m_dir->path().string()),
                                  QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                      | QFile::ReadOther | QFile::ExeOther));
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--read-only-run"), QString::fromStdString(m_dir->path().string())});
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines, (QStringList{
                        "opened message: " + kCannotCreate,
                        "opened message: " + kCannotOpen,
                        // The window goes on: Calculate reaches the missing table.
                        "calculated error: Field 'AVG_AMT' not found.",
                        "scoring window open",
                        "previewed message: " + kCannotCreateTemp,
                        "schedule window open",
                    }));
    QCOMPARE(QDir(QString::fromStdString(m_dir->path().string())).entryList(QDir::Files), QStringList());
}

void TestFaultWindows::scoreWhileAnotherCopyEditsPreferences()
{
    // The first opening creates and seeds the file.
    onModal([](QDialog *) {});
    openModal<TfrmShould_I>(nullptr, m_shared, m_messages, *m_data);
    QCOMPARE(m_messages.all, QStringList());
    const std::string header = fileBytes("ZIVORODI.DBF").substr(0, 641);

    Helper other("hold-pref", m_dir->path().string());
    QCOMPARE(QString::fromStdString(other.readLine()), QStringLiteral("editing"));
    const std::string held = fileBytes("ZIVORODI.DBF");

    QStringList shownAtOpening;
    QStringList errorsWhileHeld;
    std::string afterRefusedScore;
    QString shownScore;
    onModal([&](QDialog *window) {
        shownAtOpening = m_messages.all;
        button(window, "CalcBtn")->click();
        errorsWhileHeld = m_messages.errors;
        afterRefusedScore = fileBytes("ZIVORODI.DBF");

        other.send("post 4");
        QCOMPARE(QString::fromStdString(other.readLine()), QStringLiteral("posted"));
        QCOMPARE(other.wait(), 0);
        button(window, "CalcBtn")->click();
        shownScore = window->findChild<QLabel *>(QStringLiteral("fcLabelScore"))->text();
    });
    openModal<TfrmShould_I>(nullptr, m_shared, m_messages, *m_data);

    // Opening could not reset the score under the other copy's lock.
    QCOMPARE(shownAtOpening, QStringList{kCannotOpen});
    QCOMPARE(errorsWhileHeld, QStringList{"Record locked by another user."});
    QCOMPARE(QByteArray::fromStdString(afterRefusedScore), QByteArray::fromStdString(held));
    // Inputs equal to the averages score 5 whatever the weights.
    QCOMPARE(shownScore, QStringLiteral("50"));
    QCOMPARE(m_messages.errors, QStringList{"Record locked by another user."});
    const std::string after = fileBytes("ZIVORODI.DBF");
    QCOMPARE(QByteArray::fromStdString(after.substr(0, 641)), QByteArray::fromStdString(header));
    // The other copy's weights and this copy's score, in one whole record.
    // Flag at 0, the ten weights at 49, the score at 59.
    const QString record = QString::fromStdString(after.substr(641, 63));
    QCOMPARE(record.left(1), QStringLiteral(" "));
    QCOMPARE(record.mid(49, 10), QStringLiteral("4444444444"));
    QCOMPARE(record.mid(59, 4), QStringLiteral(" 5.0"));
    QCOMPARE(QString::fromStdString(after.substr(641 + 63)), QStringLiteral("\x1a"));
}

void TestFaultWindows::previewWhileAnotherCopyShowsTheSchedule()
{
    m_data->tblAmort.createTable(kAmortFieldDefinitions);
    m_data->tblAmort.open();
    for (int n = 1; n <= 360; ++n)
        writeAmortRow(m_data->tblAmort, n);
    m_data->tblAmort.close();
    const std::string before = fileBytes("TEMPAMORT.DBF");

    Helper preview("hold-amort", m_dir->path().string());
    QCOMPARE(QString::fromStdString(preview.readLine()), QStringLiteral("open 360"));

    bool stillOpen = false;
    onModal([&](QDialog *window) {
        static_cast<TfrmAmortBuiltIn *>(window)->BitBtnOK->click();
        stillOpen = window->isVisible();
    });
    openModal<TfrmAmortBuiltIn>(nullptr, m_shared, m_messages, *m_data);

    QCOMPARE(m_messages.messages, QStringList{kCannotCreateTemp});
    QCOMPARE(m_messages.errors, QStringList());
    QVERIFY(stillOpen);
    QCOMPARE(QByteArray::fromStdString(fileBytes("TEMPAMORT.DBF")), QByteArray::fromStdString(before));

    // The other copy's preview still reads its whole schedule.
    preview.send("read");
    int rows = 0;
    std::string last;
    for (std::string line = preview.readLine(); !line.empty() && line != "end"; line = preview.readLine()) {
        ++rows;
        last = line;
    }
    QCOMPARE(rows, 360);
    // Row 360: December 2053, 360 * 0.25 = 90, -360 * 1.5 = -540.
    QCOMPARE(QString::fromStdString(last), QStringLiteral("2053 12/15/2053 360 1234.56 90 -540 999999639.99 "));
    QCOMPARE(preview.wait(), 0);
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--read-only-run") == 0)
        return readOnlyRun(argc, argv);
    QApplication app(argc, argv);
    TestFaultWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_faultwindows.moc"
