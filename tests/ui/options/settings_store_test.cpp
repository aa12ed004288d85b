#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QVBoxLayout>

#include "fake_window.h"
#include "options/command_line.h"
#include "options/my_options.h"
#include "options_view.h"
#include "support/headless_run.h"
#include "ui/options/options_panel.h"
#include "ui/options/settings_keys.h"
#include "ui/options/settings_store.h"
#include "ui/tagged_views.h"

namespace {

constexpr int64_t kUntouched = 77;
const QString kUntouchedText = "/untouched/";

QWidget* radioGroup(QWidget* parent)
{
    auto* group = new QWidget(parent);
    auto* layout = new QVBoxLayout(group);
    for (int tag = 0; tag < 5; ++tag) {
        auto* button = new QRadioButton(group);
        button->setProperty("tag", tag);
        layout->addWidget(button);
    }
    return group;
}

// The values a fresh start has before the saved settings.
void startValues(myOptions& options)
{
    options.setSourceFiles(QStringList{"xls", "xlsx"});
    options.setSourceCharset(10);
    options.setTargetCharset(10);
    options.setSeparateFiles(1);
    options.setBlockSize(5);
    options.setRemoveCRLF(1);
}

// One start of the program: the window's parts, the panel and the store.
struct Session {
    explicit Session(ConverterModule& module, myOptions* shared = nullptr)
        : options(shared ? *shared : own), sources(&module), store(options, panel, sources, output, module)
    {
        if (!view)
            qFatal("the options view cannot be loaded");
        if (!shared)
            startValues(own);
        for (QComboBox* box : {qobject_cast<QComboBox*>(nestedView(view.get(), 60)), srcCharset}) {
            box->clear();
            for (int i = 0; i < 100; ++i)
                box->addItem(QString::number(i), i);
        }
    }

    myOptions own;
    myOptions& options;
    std::unique_ptr<QWidget> view = optionstest::loadOptionsView();
    QWidget outlets;
    QCheckBox* separateFile = new QCheckBox(&outlets);
    QWidget* overFiles = radioGroup(&outlets);
    QWidget* overTables = radioGroup(&outlets);
    QComboBox* srcCharset = new QComboBox(&outlets);
    FakeOutputHistory output;
    FakeSourceList sources;
    OptionsPanel panel{options, {view.get(), separateFile, overFiles, overTables, srcCharset, &output}};
    SettingsStore store;
};

QSettings rawStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Ledgerline", "Ledgerline");
}

const OptionKey& keyNamed(const QString& name)
{
    for (const OptionKey& key : optionKeysInSavingOrder())
        if (name == QLatin1StringView(key.name))
            return key;
    qFatal("no key %s", qPrintable(name));
}

} // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::TempDir> config_;
    std::unique_ptr<testsupport::TempDir> data_;
    FakeModule module_;
    QList<FileAndTables> files_;

    QString configFile() const { return QString::fromStdString(config_->file("Ledgerline/Ledgerline.conf")); }

    // Three workbooks on disk: rows 0 f0, then (expanded) its two tables,
    // 3 f1, 4 f2 and (expanded) its three tables.
    void makeFiles()
    {
        files_ = {{data("f0.xls"), {"A", "B"}}, {data("f1.xlsx"), {"C"}}, {data("f2.xls"), {"D", "E", "F"}}};
        for (const FileAndTables& file : files_) {
            testsupport::writeFile(file.filename.toStdString(), "");
            module_.tables[file.filename] = file.tables;
        }
    }
    QString data(const char* name) const { return QString::fromStdString(data_->file(name)); }

    void saveWindowState()
    {
        Session session(module_);
        session.sources.setFiles(files_);
        QVERIFY(session.sources.expandRow(0));
        QVERIFY(session.sources.expandRow(4));
        session.sources.selectRows({6, 1, 3});
        for (const char* output : {"/a/", "/b/", "/c/"})
            session.output.AddItem(output);
        session.store.SaveOptions();
    }

private slots:
    void init()
    {
        config_ = std::make_unique<testsupport::TempDir>();
        data_ = std::make_unique<testsupport::TempDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config_->path().string()));
        module_.tables.clear();
        makeFiles();
    }

    void firstStartKeepsTheDefaults()
    {
        Session session(module_);
        session.store.RestoreOptions();
        QCOMPARE(session.options.separateFiles(), 1);
        QCOMPARE(session.options.targetCharset(), 10);
        QCOMPARE(session.options.blockSize(), 5);
        QCOMPARE(session.options.removeCRLF(), 1);
        QVERIFY(!session.options.outputFile());
        QVERIFY(session.output.items().isEmpty());
        QVERIFY(session.sources.files().isEmpty());
        QCOMPARE(session.sources.redraws, 0);
    }

    void windowStateRoundTrip()
    {
        saveWindowState();
        QVERIFY(QFile::exists(configFile()));
        Session next(module_);
        next.store.RestoreOptions();
        QCOMPARE(next.output.items(), QStringList({"/c/", "/b/", "/a/"}));
        QCOMPARE(next.sources.files(), files_);
        QCOMPARE(next.sources.expandedRows(), QList<int>({0, 4}));
        QCOMPARE(next.sources.selectedRows(), QList<int>({1, 3, 6}));
    }

    void changedFilesDropTheSelection_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("files");
        QTest::addColumn<bool>("selected");
        QTest::newRow("none") << "none" << 3 << true;
        QTest::newRow("file deleted") << "deleted" << 2 << false;
        QTest::newRow("sheet added") << "added" << 3 << false;
        QTest::newRow("sheet renamed") << "renamed" << 3 << true;
        QTest::newRow("no sheets left") << "emptied" << 2 << false;
    }

    void changedFilesDropTheSelection()
    {
        QFETCH(QString, change);
        QFETCH(int, files);
        QFETCH(bool, selected);
        saveWindowState();
        QString f1 = files_[1].filename;
        if (change == "deleted")
            QFile::remove(f1);
        else if (change == "added")
            module_.tables[f1] = QStringList{"C", "C2"};
        else if (change == "renamed")
            module_.tables[f1] = QStringList{"Renamed"};
        else if (change == "emptied")
            module_.tables[f1] = QStringList{};
        Session next(module_);
        next.store.RestoreOptions();
        QCOMPARE(next.sources.files().size(), qsizetype(files));
        QCOMPARE(next.sources.files().first(), files_[0]);
        QCOMPARE(next.sources.files().last(), files_[2]);
        QCOMPARE(next.sources.selectedRows().isEmpty(), !selected);
    }

    void optionsRoundTrip()
    {
        // The fields the window and the options view show, away from
        // their defaults; the others read back as 0 (backticks: kept).
        const std::pair<const char*, int64_t> values[] = {
            {"separateFiles", 0}, {"overwriteFile", 3}, {"overwriteTable", 2}, {"typeOfFile", 5},
            {"sourceCharset", 47}, {"targetCharset", 58}, {"dateFormat", 8}, {"removeCRLF", 0},
            {"removeSpaces", 2}, {"blockSize", 9}, {"addGo", 1500}, {"quotesType", 2}, {"logical", 3},
            {"firstLine", 1}, {"allCharacter", 1}, {"precision", 4}, {"backticks", 1}, {"fileHeader", 0},
        };
        {
            Session session(module_);
            for (auto [name, value] : values)
                (session.options.*keyNamed(name).set)(value);
            session.options.setOutputFile("/out/Mixed Case/");
            session.panel.updateOptions();
            session.store.SaveOptions();
        }
        Session next(module_);
        next.store.RestoreOptions();
        for (auto [name, value] : values)
            QCOMPARE((next.options.*keyNamed(name).get)(), value);
        QCOMPARE(next.options.outputFile(), OptionalText("/out/Mixed Case/"));

        // Every integer key is written as a number; absent texts have no key.
        QSettings raw = rawStore();
        for (const OptionKey& key : optionKeysInSavingOrder()) {
            bool isNumber = false;
            raw.value(key.name).toString().toLongLong(&isNumber);
            QVERIFY2(key.isText() || isNumber, key.name);
        }
        for (const char* absent : {"escapeChar", "escapeQuote", "delimiterRecords", "delimiterFields"})
            QVERIFY2(!raw.contains(absent), absent);
    }

    void absentTextsRemoveTheirKeys()
    {
        {
            QSettings raw = rawStore();
            raw.setValue("escapeChar", "\\");
            raw.setValue("outputFile", "/old/");
        }
        Session session(module_); // no output typed: the box's text is empty
        session.store.SaveOptions();
        QSettings raw = rawStore();
        QVERIFY(!raw.contains("escapeChar"));
        QCOMPARE(raw.value("outputFile").toString(), QString());
    }

    void emptyStoredTextKeepsTheDefault()
    {
        {
            QSettings raw = rawStore();
            for (const char* key : {"outputFile", "escapeChar", "escapeQuote", "delimiterRecords", "delimiterFields"})
                raw.setValue(key, "");
        }
        Session session(module_);
        session.options.setOutputFile("/default/");
        session.store.RestoreOptions();
        QCOMPARE(session.options.outputFile(), OptionalText("/default/"));
        QVERIFY(!session.options.escapeChar());
        QVERIFY(!session.options.delimiterFields());
    }

    void storedValuesAreValidated_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("accepted");
        // refused: out of range, wrong type
        QTest::newRow("charset 100") << "targetCharset" << QVariant(100) << false;
        QTest::newRow("charset -1") << "sourceCharset" << QVariant(-1) << false;
        QTest::newRow("charset text") << "targetCharset" << QVariant("Cyrillic") << false;
        QTest::newRow("fraction") << "targetCharset" << QVariant(3.5) << false;
        QTest::newRow("list") << "typeOfFile" << QVariant(QStringList{"3", "4"}) << false;
        QTest::newRow("map") << "blockSize" << QVariant(QVariantMap{{"a", 1}}) << false;
        QTest::newRow("flavour 7") << "typeOfFile" << QVariant(7) << false;
        QTest::newRow("block size 12") << "blockSize" << QVariant(12) << false;
        QTest::newRow("logical 5") << "logical" << QVariant(5) << false;
        QTest::newRow("precision 10") << "precision" << QVariant(10) << false;
        QTest::newRow("flag 2") << "separateFiles" << QVariant(2) << false;
        QTest::newRow("GO negative") << "addGo" << QVariant(-1) << false;
        QTest::newRow("GO beyond int") << "addGo" << QVariant(qlonglong(1) << 40) << false;
        QTest::newRow("huge number text") << "firstLine" << QVariant("99999999999999999999") << false;
        QTest::newRow("output list") << "outputFile" << QVariant(QStringList{"/a/", "/b/"}) << false;
        QTest::newRow("output map") << "outputFile" << QVariant(QVariantMap{{"a", 1}}) << false;
        // accepted: the edges of each range and the text form of numbers
        QTest::newRow("charset 99") << "targetCharset" << QVariant(99) << true;
        QTest::newRow("as text") << "targetCharset" << QVariant(" 58 ") << true;
        QTest::newRow("whole double") << "targetCharset" << QVariant(3.0) << true;
        QTest::newRow("logical 4") << "logical" << QVariant(4) << true;
        QTest::newRow("precision 9") << "precision" << QVariant(9) << true;
        QTest::newRow("output text") << "outputFile" << QVariant("/out/") << true;
    }

    void storedValuesAreValidated()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(bool, accepted);
        rawStore().setValue(key, stored);
        Session session(module_);
        const OptionKey& entry = keyNamed(key);
        if (entry.isText())
            (session.options.*entry.setText)(kUntouchedText);
        else
            (session.options.*entry.set)(kUntouched);
        session.store.RestoreOptions();
        if (entry.isText()) {
            QCOMPARE((session.options.*entry.getText)() == OptionalText(kUntouchedText), !accepted);
        } else {
            int64_t value = (session.options.*entry.get)();
            QCOMPARE(value == kUntouched, !accepted);
            if (accepted)
                QCOMPARE(qlonglong(value), qlonglong(stored.toString().trimmed().toDouble()));
        }
    }

    void damagedHistoryIsSkipped_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QStringList>("history");
        QTest::newRow("a map") << QVariant(QVariantMap{{"a", "/x/"}}) << QStringList{};
        QTest::newRow("a map inside") << QVariant(QVariantList{"/x/", QVariantMap{{"a", 1}}}) << QStringList{};
        QTest::newRow("one entry") << QVariant("/only/") << QStringList{"/only/"};
        QStringList long_;
        for (int i = 0; i < 30; ++i)
            long_ << QString("/%1/").arg(i % 25);
        QStringList first20;
        for (int i = 0; i < 20; ++i)
            first20 << QString("/%1/").arg(i);
        QTest::newRow("too long, repeated") << QVariant(long_) << first20;
    }

    void damagedHistoryIsSkipped()
    {
        QFETCH(QVariant, stored);
        QFETCH(QStringList, history);
        rawStore().setValue("OutputHistory", stored);
        Session session(module_);
        session.store.RestoreOptions();
        QCOMPARE(session.output.items(), history);
    }

    void damagedSourceListKeepsTheGoodRecords()
    {
        saveWindowState();
        QVariantList stored{files_[0].toMap(), "junk", QVariantMap{{"table", QStringList{"A"}}}, files_[2].toMap()};
        {
            QSettings raw = rawStore();
            raw.setValue("SourceFiles", stored);
        }
        Session session(module_);
        session.store.RestoreOptions();
        QCOMPARE(session.sources.files(), QList<FileAndTables>({files_[0], files_[2]}));
        QVERIFY(session.sources.selectedRows().isEmpty());
        QVERIFY(session.sources.expandedRows().isEmpty());
    }

    void damagedRowNumbersAreSkipped()
    {
        saveWindowState();
        {
            QSettings raw = rawStore();
            raw.setValue("Expanded", QVariantList{"x", 99, -1, 0});
            raw.setValue("Selection", QVariantList{99, "x", -1, 2, 1, 2});
        }
        Session session(module_);
        session.store.RestoreOptions();
        QCOMPARE(session.sources.expandedRows(), QList<int>({0}));
        QCOMPARE(session.sources.selectedRows(), QList<int>({1, 2}));

        rawStore().setValue("SourceFiles", "garbage");
        Session again(module_);
        again.store.RestoreOptions();
        QVERIFY(again.sources.files().isEmpty());
    }

    void garbageFileIsSurvived()
    {
        QDir().mkpath(QString::fromStdString(config_->file("Ledgerline")));
        std::string garbage = "[General]\ntypeOfFile=@Variant(\\0\\0\\0\\x7f\\xff)\nSourceFiles=@Variant(\\0\\0\\0\\b\\0\\0\\0\\x5)\n"
                              "OutputHistory=@ByteArray(\\xff)\nSelection=@Rect(1 2)\n";
        for (int i = 0; i < 256; ++i)
            garbage += char((i * 37) & 0xff);
        testsupport::writeFile(configFile().toStdString(), garbage);
        Session session(module_);
        session.store.RestoreOptions();
        QCOMPARE(session.options.typeOfFile(), 0);
        QCOMPARE(session.options.targetCharset(), 10);
        QVERIFY(session.sources.files().isEmpty());
    }

    void commandLineRunsDoNotSave_data()
    {
        QTest::addColumn<qint64>("silent");
        QTest::addColumn<qint64>("batch");
        QTest::addColumn<bool>("saved");
        QTest::newRow("-silent") << qint64(1) << qint64(0) << false;
        QTest::newRow("-batch") << qint64(0) << qint64(1) << false;
        QTest::newRow("hand-over running") << qint64(4) << qint64(-1) << false;
        QTest::newRow("interactive run") << qint64(0) << qint64(-1) << true;
        QTest::newRow("interactive") << qint64(0) << qint64(0) << true;
    }

    void commandLineRunsDoNotSave()
    {
        QFETCH(qint64, silent);
        QFETCH(qint64, batch);
        QFETCH(bool, saved);
        Session session(module_);
        session.options.setSilent(silent);
        session.options.setBatch(batch);
        session.store.SaveOptions();
        QCOMPARE(QFile::exists(configFile()), saved);
    }

    // Start values, then saved settings, then switches, then the panel.
    void layersOverrideInOrder()
    {
        {
            QSettings raw = rawStore();
            raw.setValue("typeOfFile", 2);
            raw.setValue("blockSize", 7);
            raw.setValue("targetCharset", 3);
            raw.setValue("removeCRLF", 0);
            raw.setValue("firstLine", 1);
            raw.setValue("outputFile", "/saved/");
        }
        HeadlessRun run; // the real module's start values
        {
            Session session(run.module, &run.options);
            session.store.RestoreOptions();
            commandLine({"/usr/bin/ledgerline", "-type=vfp", "-blocksize=1024", "-output=/cli/"}, run.options);
            session.panel.updateOptions();
            qobject_cast<QComboBox*>(nestedView(session.view.get(), 300))->setCurrentIndex(3);
            session.panel.readBack();

            myOptions& o = run.options;
            QCOMPARE(o.separateFiles(), 1);   // start value
            QCOMPARE(o.targetCharset(), 3);   // saved
            QCOMPARE(o.removeCRLF(), 0);      // saved
            QCOMPARE(o.firstLine(), 1);       // saved
            QCOMPARE(o.typeOfFile(), 3);      // switch over saved
            QCOMPARE(o.blockSize(), 6);       // switch over saved
            QCOMPARE(o.precision(), 3);       // panel
            QCOMPARE(o.outputFile(), OptionalText("/cli/"));

            // A command-line run does not save its output for the next start.
            o.setBatch(1);
            session.store.SaveOptions();
        }
        HeadlessRun next;
        Session session(next.module, &next.options);
        session.store.RestoreOptions();
        QCOMPARE(next.options.outputFile(), OptionalText("/saved/"));
    }
};

QTEST_MAIN(SettingsStoreTest)
#include "settings_store_test.moc"
