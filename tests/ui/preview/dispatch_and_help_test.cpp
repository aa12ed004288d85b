// Which preview a file opens, and the help actions: addresses, the
// support e-mail link, the help window and the documents.

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QUrl>

#include "support/test_support.h"
#include "ui/help/help_actions.h"
#include "ui/help/help_addresses.h"
#include "ui/preview/preview_windows.h"
#include "ui/preview/text_preview.h"

class DispatchAndHelpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void previewByExtension_data();
    void previewByExtension();
    void addresses_data();
    void addresses();
    void mailLink_data();
    void mailLink();
    void techSupportOpensTheMailLink();
    void helpWindowIsReplaced();
    void documents_data();
    void documents();
    void missingDocumentOpensNothing();

private:
    QList<QUrl> opened_;
    UrlOpener recorder()
    {
        return [this](const QUrl& url) {
            opened_.append(url);
            return true;
        };
    }
};

void DispatchAndHelpTest::initTestCase()
{
    QCoreApplication::setApplicationVersion(QStringLiteral("9.8.7"));
}

void DispatchAndHelpTest::previewByExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("controller"); // empty: nothing opens

    QTest::newRow("dbf") << "/nowhere/a.dbf" << "dbfPreview";
    QTest::newRow("DBF in capitals") << "/nowhere/a.DBF" << "dbfPreview";
    QTest::newRow("xls") << "/nowhere/b.xls" << "xlsPreview";
    QTest::newRow("xlsx mixed case") << "/nowhere/b.XlsX" << "xlsPreview";
    QTest::newRow("txt") << "/nowhere/c.txt" << "textPreview";
    QTest::newRow("csv") << "/nowhere/c.csv" << "textPreview";
    QTest::newRow("xml") << "/nowhere/c.xml" << "textPreview";
    QTest::newRow("sql") << "/nowhere/c.SQL" << "textPreview";
    QTest::newRow("another extension") << "/nowhere/d.doc" << "";
    QTest::newRow("extension only in a folder name") << "/nowhere/e.dbf/readme" << "";
    QTest::newRow("no path") << "" << "";
}

void DispatchAndHelpTest::previewByExtension()
{
    QFETCH(QString, path);
    QFETCH(QString, controller);

    PreviewWindows previews;
    QObject* opened = previews.showPreview(path, 3);
    if (controller.isEmpty()) {
        QCOMPARE(opened, nullptr);
        QVERIFY(previews.pw().isEmpty());
        return;
    }
    QVERIFY(opened);
    QCOMPARE(QString::fromLatin1(opened->metaObject()->className()), controller);
    // The same file again opens a second window; both are kept.
    QObject* again = previews.showPreview(path, 3);
    QVERIFY(again && again != opened);
    QCOMPARE(previews.pw(), (QList<QObject*> {opened, again}));
}

void DispatchAndHelpTest::addresses_data()
{
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("module");
    QTest::addColumn<QString>("help");
    QTest::addColumn<QString>("home");

    QTest::newRow("ledgerline") << "https://example.org" << "ledgerline"
                                << "https://example.org/machelp/machelp.php?product=ledgerline"
                                << "https://example.org/ledgerlinemac/";
    QTest::newRow("another module") << "https://h.example:8443" << "other"
                                    << "https://h.example:8443/machelp/machelp.php?product=other"
                                    << "https://h.example:8443/othermac/";
}

void DispatchAndHelpTest::addresses()
{
    QFETCH(QString, site);
    QFETCH(QString, module);
    QFETCH(QString, help);
    QFETCH(QString, home);

    QCOMPARE(helpURL(site, module), help);
    QCOMPARE(homepageURL(site, module), home);
}

void DispatchAndHelpTest::mailLink_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("link");

    QTest::newRow("the support subject") << supportSubject("Ledgerline", "Linux", "0.1.0")
                                         << "mailto:help@x.example?Subject=Ledgerline%20(Linux)%20Version%200.1.0";
    QTest::newRow("only blanks are encoded") << "a&b=c é%  d"
                                             << "mailto:help@x.example?Subject=a&b=c%20é%%20%20d";
    QTest::newRow("empty subject") << "" << "mailto:help@x.example?Subject=";
}

void DispatchAndHelpTest::mailLink()
{
    QFETCH(QString, subject);
    QFETCH(QString, link);
    QCOMPARE(supportMailLink("help@x.example", subject), link);
}

void DispatchAndHelpTest::techSupportOpensTheMailLink()
{
    PreviewWindows previews;
    HelpActions actions("ledgerline", "Ledgerline", previews);
    actions.setUrlOpener(recorder());
    opened_.clear();
    QCOMPARE(platformName(), QStringLiteral("Linux"));
    QCOMPARE(actions.supportSubject(), QStringLiteral("Ledgerline (Linux) Version 9.8.7"));
    actions.techSupport();
    QCOMPARE(opened_.size(), 1);
    QCOMPARE(opened_[0].toString(QUrl::FullyEncoded),
             QStringLiteral("mailto:support@ledgerline.example.org?Subject=Ledgerline%20(Linux)%20Version%209.8.7"));
}

void DispatchAndHelpTest::helpWindowIsReplaced()
{
    PreviewWindows previews;
    HelpActions actions("ledgerline", "Ledgerline", previews);
    actions.setUrlOpener(recorder());
    opened_.clear();
    const QString address = QStringLiteral("https://ledgerline.example.org/machelp/machelp.php?product=ledgerline");
    QCOMPARE(actions.helpURL(), address);
    QCOMPARE(actions.homepageURL(), QStringLiteral("https://ledgerline.example.org/ledgerlinemac/"));

    actions.showHelp();
    QPointer<MyHelp> first = actions.help();
    QVERIFY(first && first->window());
    QCOMPARE(first->window()->windowTitle(), QStringLiteral("Online Help"));
    QVERIFY(first->webControl()->text().contains(address));
    actions.showHelp();
    QVERIFY(first.isNull()); // the one before is released
    QVERIFY(actions.help());
    QCOMPARE(opened_, (QList<QUrl> {QUrl(address), QUrl(address)}));
    QVERIFY(previews.pw().isEmpty());
}

void DispatchAndHelpTest::documents_data()
{
    QTest::addColumn<bool>("licence");
    QTest::addColumn<QString>("title");
    QTest::newRow("read-me") << false << "readme.txt";
    QTest::newRow("licence") << true << "license.txt";
}

void DispatchAndHelpTest::documents()
{
    QFETCH(bool, licence);
    QFETCH(QString, title);

    PreviewWindows previews;
    HelpActions actions("ledgerline", "Ledgerline", previews);
    licence ? actions.showLicense() : actions.showReadMe();
    QCOMPARE(previews.pw().size(), 1);
    auto* preview = qobject_cast<textPreview*>(previews.pw().first());
    QVERIFY(preview);
    QVERIFY(preview->documentMode());
    QCOMPARE(preview->window()->windowTitle(), title);
    QCOMPARE(preview->charset(), 10);
    QVERIFY(preview->infoText().endsWith(QStringLiteral(" bytes")));
    QVERIFY(!preview->txt()->toPlainText().isEmpty());
}

void DispatchAndHelpTest::missingDocumentOpensNothing()
{
    testsupport::TempDir empty;
    const QByteArray saved = qgetenv("LEDGERLINE_RESOURCES");
    qputenv("LEDGERLINE_RESOURCES", QByteArray::fromStdString(empty.path().string()));
    PreviewWindows previews;
    HelpActions actions("ledgerline", "Ledgerline", previews);
    actions.showReadMe();
    actions.showLicense();
    qputenv("LEDGERLINE_RESOURCES", saved);
    QVERIFY(previews.pw().isEmpty());
}

QTEST_MAIN(DispatchAndHelpTest)
#include "dispatch_and_help_test.moc"
