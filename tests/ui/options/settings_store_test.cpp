#include <QComboBox>
#include <QDir>
#include <QSettings>
#include <QTest>

#include "fake_window.h"
#include "options/command_line.h"
#include "options_view.h"
#include "support/headless_run.h"
#include "ui/options/settings_keys.h"
#include "ui/options/settings_store.h"

namespace {

// One start of the program: the window, its source tree and the store.
struct Session : optionstest::Window {
    explicit Session(ConverterModule& module, myOptions* shared = nullptr)
        : Window(shared), sources(&module), store(options, panel, sources, output, module)
    {
        if (shared)
            return;
        // A fresh start's values before the saved settings.
        own.setSourceFiles(QStringList{"xls", "xlsx"});
        own.setSourceCharset(10);
        own.setTargetCharset(10);
        own.setSeparateFiles(1);
        own.setBlockSize(5);
        own.setRemoveCRLF(1);
    }
    FakeSourceList sources;
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
    // Tree rows: 0 f0, then (expanded) its two tables, 3 f1, 4 f2 and
    // (expanded) its three tables.
    QList<FileAndTables> files_;

    QString configFile() const { return QString::fromStdString(config_->file("Ledgerline/Ledgerline.conf")); }

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
        auto data = [&](const char* name) { return QString::fromStdString(data_->file(name)); };
        files_ = {{data("f0.xls"), {"A", "B"}}, {data("f1.xlsx"), {"C"}}, {data("f2.xls"), {"D", "E", "F"}}};
        module_.tables.clear();
        for (const FileAndTables& file : files_) {
            testsupport::writeFile(file.filename.toStdString(), "");
            module_.tables[file.filename] = file.tables;
        }
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

    // Only unchanged files keep the selection; files gone from disk or left
    // without sheets are dropped.
    void changedFilesDropTheSelection()
    {
        const struct {
            const char* change;
            QVariant tables; // of f1; invalid: the file is deleted
            int files;
            bool selected;
        } cases[] = {
            {"none", QStringList{"C"}, 3, true},
            {"deleted", QVariant(), 2, false},
            {"sheet added", QStringList{"C", "C2"}, 3, false},
            {"sheet renamed", QStringList{"Renamed"}, 3, true},
            {"no sheets left", QStringList{}, 2, false},
        };
        for (const auto& c : cases) {
            init();
            saveWindowState();
            if (c.tables.isValid())
                module_.tables[files_[1].filename] = c.tables.toStringList();
            else
                QFile::remove(files_[1].filename);
            Session next(module_);
            next.store.RestoreOptions();
            QList<FileAndTables> restored = next.sources.files();
            QVERIFY2(restored.size() == c.files && restored.first() == files_[0] && restored.last() == files_[2],
                     c.change);
            QVERIFY2(next.sources.selectedRows().isEmpty() != c.selected, c.change);
        }
    }

    // The key names and types are the settings file's format.
    void optionsRoundTrip()
    {
        // Away from their defaults; fields without a control read back as
        // 0, except backticks, which is kept.
        const std::pair<const char*, int64_t> values[] = {
            {"separateFiles", 0}, {"overwriteFile", 3}, {"overwriteTable", 2}, {"typeOfFile", 5},
            {"sourceCharset", 47}, {"targetCharset", 58}, {"dateFormat", 8}, {"removeCRLF", 0},
            {"removeSpaces", 2}, {"blockSize", 9}, {"addGo", 1500}, {"quotesType", 2}, {"logical", 3},
            {"firstLine", 1}, {"allCharacter", 1}, {"precision", 4}, {"backticks", 1}, {"fileHeader", 0},
        };
        {
            QSettings raw = rawStore();
            raw.setValue("escapeChar", "\\"); // a stale text the save must remove
        }
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

    // A refused value leaves the field as it was.
    void storedValuesAreValidated()
    {
        const struct {
            const char* key;
            QVariant stored;
            bool accepted;
        } cases[] = {
            {"targetCharset", 100, false}, {"sourceCharset", -1, false}, {"targetCharset", "Cyrillic", false},
            {"targetCharset", 3.5, false}, {"typeOfFile", QStringList{"3", "4"}, false},
            {"blockSize", QVariantMap{{"a", 1}}, false}, {"typeOfFile", 7, false}, {"blockSize", 12, false},
            {"logical", 5, false}, {"precision", 10, false}, {"separateFiles", 2, false}, {"addGo", -1, false},
            {"addGo", qlonglong(1) << 40, false}, {"firstLine", "99999999999999999999", false},
            {"outputFile", QStringList{"/a/", "/b/"}, false}, {"outputFile", "", false},
            {"delimiterFields", "", false},
            // the edges of each range and the text form of numbers
            {"targetCharset", 99, true}, {"targetCharset", " 58 ", true}, {"targetCharset", 3.0, true},
            {"logical", 4, true}, {"precision", 9, true}, {"outputFile", "/out/", true},
        };
        for (const auto& c : cases) {
            QString row = QString("%1 = %2").arg(c.key, c.stored.toString());
            rawStore().clear();
            rawStore().setValue(c.key, c.stored);
            Session session(module_);
            const OptionKey& entry = keyNamed(c.key);
            if (entry.isText()) {
                (session.options.*entry.setText)(QString("/untouched/"));
                session.store.RestoreOptions();
                QString expected = c.accepted ? c.stored.toString() : "/untouched/";
                QVERIFY2((session.options.*entry.getText)() == expected, qPrintable(row));
            } else {
                (session.options.*entry.set)(77);
                session.store.RestoreOptions();
                int64_t expected = c.accepted ? int64_t(c.stored.toString().trimmed().toDouble()) : 77;
                QVERIFY2((session.options.*entry.get)() == expected, qPrintable(row));
            }
        }
    }

    void damagedHistoryIsSkipped()
    {
        QStringList long_, first20;
        for (int i = 0; i < 30; ++i)
            long_ << QString("/%1/").arg(i % 25);
        for (int i = 0; i < 20; ++i)
            first20 << QString("/%1/").arg(i);
        const std::pair<QVariant, QStringList> cases[] = {
            {QVariantMap{{"a", "/x/"}}, {}},
            {QVariantList{"/x/", QVariantMap{{"a", 1}}}, {}},
            {"/only/", {"/only/"}},
            {long_, first20}, // too long, with repeats
        };
        for (const auto& [stored, history] : cases) {
            rawStore().setValue("OutputHistory", stored);
            Session session(module_);
            session.store.RestoreOptions();
            QCOMPARE(session.output.items(), history);
        }
    }

    // Damaged entries are left out. Once a file record was, the saved row
    // numbers would point at other rows, so they are dropped too.
    void damagedSourceTreeKeepsWhatIsGood()
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

        QVariantMap noName{{"table", QStringList{"A"}}};
        rawStore().setValue("SourceFiles", QVariantList{files_[0].toMap(), "junk", noName, files_[2].toMap()});
        Session next(module_);
        next.store.RestoreOptions();
        QCOMPARE(next.sources.files(), QList<FileAndTables>({files_[0], files_[2]}));
        QVERIFY(next.sources.selectedRows().isEmpty());
        QVERIFY(next.sources.expandedRows().isEmpty());

        rawStore().setValue("SourceFiles", "garbage");
        Session last(module_);
        last.store.RestoreOptions();
        QVERIFY(last.sources.files().isEmpty());
    }

    // With no file, or one no reader could make sense of, every field keeps
    // its start value and the tree stays as it was.
    void missingOrGarbageFileKeepsTheDefaults()
    {
        std::string garbage = "[General]\ntypeOfFile=@Variant(\\0\\0\\0\\x7f\\xff)\n"
                              "SourceFiles=@Variant(\\0\\0\\0\\b\\0\\0\\0\\x5)\n"
                              "OutputHistory=@ByteArray(\\xff)\nSelection=@Rect(1 2)\n";
        for (int i = 0; i < 256; ++i)
            garbage += char((i * 37) & 0xff);
        for (bool written : {false, true}) {
            if (written) {
                QDir().mkpath(QString::fromStdString(config_->file("Ledgerline")));
                testsupport::writeFile(configFile().toStdString(), garbage);
            }
            Session session(module_);
            session.store.RestoreOptions();
            QCOMPARE(session.options.typeOfFile(), 0);
            QCOMPARE(session.options.targetCharset(), 10);
            QCOMPARE(session.options.blockSize(), 5);
            QVERIFY(!session.options.outputFile());
            QVERIFY(session.output.items().isEmpty());
            QCOMPARE(session.sources.redraws, 0);
        }
    }

    // Silent 1 or more, or batch above 0, is a command-line run.
    void commandLineRunsDoNotSave()
    {
        const struct {
            qint64 silent, batch;
            bool saved;
        } cases[] = {{1, 0, false}, {0, 1, false}, {4, -1, false}, {0, -1, true}, {0, 0, true}};
        for (const auto& c : cases) {
            QFile::remove(configFile());
            Session session(module_);
            session.options.setSilent(c.silent);
            session.options.setBatch(c.batch);
            session.store.SaveOptions();
            QString run = QString("silent %1 batch %2").arg(c.silent).arg(c.batch);
            QVERIFY2(QFile::exists(configFile()) == c.saved, qPrintable(run));
        }
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
            raw.setValue("outputFile", "/saved/");
        }
        HeadlessRun run; // the real module's start values
        Session session(run.module, &run.options);
        session.store.RestoreOptions();
        commandLine({"/usr/bin/ledgerline", "-type=vfp", "-blocksize=1024", "-output=/cli/"}, run.options);
        session.panel.updateOptions();
        session.popUp(300)->setCurrentIndex(3);
        session.panel.readBack();

        myOptions& o = run.options;
        QCOMPARE(o.separateFiles(), 1); // start value
        QCOMPARE(o.targetCharset(), 3); // saved
        QCOMPARE(o.removeCRLF(), 0);    // saved
        QCOMPARE(o.typeOfFile(), 3);    // switch over saved
        QCOMPARE(o.blockSize(), 6);     // switch over saved
        QCOMPARE(o.precision(), 3);     // panel
        QCOMPARE(o.outputFile(), OptionalText("/cli/"));
    }
};

QTEST_MAIN(SettingsStoreTest)
#include "settings_store_test.moc"
