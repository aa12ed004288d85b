#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include "options_view.h"

namespace {

using optionstest::Window;
using Getter = int64_t (myOptions::*)() const;
using Setter = void (myOptions::*)(int64_t);
using O = myOptions;

} // namespace

class OptionsPanelTest : public QObject {
    Q_OBJECT

private slots:
    // The panel finds its controls by tag, and a pop-up's item i means
    // value i, so the kinds and the item orders are checked in full: each
    // pop-up item must start with the text listed.
    void viewHoldsTheTaggedControls()
    {
        const struct {
            int tag;
            const char* kind;
            QStringList items;
        } cases[] = {
            {50, "QComboBox", {"dBase III", "FoxPro", "dBase IV", "Visual FoxPro", "SMT", "dBase 7", "As is"}},
            {60, "QComboBox", {""}},
            {90, "QCheckBox", {}},
            {100, "QComboBox", {"Remove trailing", "Keep all", "Remove leading"}},
            {110, "QComboBox", {"16 ", "32 ", "64 ", "128 ", "256 ", "512 ", "1024 ", "2048 ", "4096 ", "8192 ",
                                "16384 ", "32768 "}},
            {130, "QComboBox", {"dd.mm.yyyy", "mm.dd.yyyy", "yyyy.mm.dd", "dd-mm-yyyy", "mm-dd-yyyy", "yyyy-mm-dd",
                                "dd/mm/yyyy", "mm/dd/yyyy", "yyyy/mm/dd", "yyyymmdd"}},
            {200, "QSpinBox", {}},
            {201, "QLabel", {}},
            {210, "QComboBox", {"Double", "Single", "As the target"}},
            {240, "QComboBox", {"Unchanged", "1 / 0", "TRUE / FALSE", "Yes / No"}},
            {250, "QCheckBox", {}},
            {270, "QCheckBox", {}},
            {300, "QComboBox", {"Decide", "0 ", "1", "2", "3", "4", "5", "6", "7", "8"}},
        };
        std::unique_ptr<QWidget> view = optionstest::loadOptionsView();
        QVERIFY(view);
        for (const auto& c : cases) {
            QWidget* control = nestedView(view.get(), c.tag);
            QVERIFY2(control && QString(control->metaObject()->className()) == c.kind, qPrintable(QString::number(c.tag)));
            if (auto* box = qobject_cast<QComboBox*>(control)) {
                QCOMPARE(box->count(), c.items.size());
                for (int i = 0; i < box->count(); ++i)
                    QVERIFY2(box->itemText(i).startsWith(c.items[i]), qPrintable(box->itemText(i)));
            }
        }
    }

    void roundTripThroughTheControls()
    {
        const std::tuple<Getter, Setter, qint64> cases[] = {
            {&O::separateFiles, &O::setSeparateFiles, 1}, {&O::overwriteFile, &O::setOverwriteFile, 3},
            {&O::overwriteTable, &O::setOverwriteTable, 4}, {&O::typeOfFile, &O::setTypeOfFile, 6},
            {&O::targetCharset, &O::setTargetCharset, 58}, {&O::removeCRLF, &O::setRemoveCRLF, 1},
            {&O::removeSpaces, &O::setRemoveSpaces, 2}, {&O::blockSize, &O::setBlockSize, 11},
            {&O::dateFormat, &O::setDateFormat, 9}, {&O::addGo, &O::setAddGo, 500},
            {&O::quotesType, &O::setQuotesType, 2}, {&O::logical, &O::setLogical, 3},
            {&O::firstLine, &O::setFirstLine, 1}, {&O::allCharacter, &O::setAllCharacter, 1},
            {&O::precision, &O::setPrecision, 9},
        };
        for (int i = 0; i < int(std::size(cases)); ++i) {
            auto [get, set, value] = cases[i];
            Window window;
            (window.options.*set)(value);
            window.panel.updateOptions();
            (window.options.*set)(0);
            window.panel.readBack();
            QVERIFY2((window.options.*get)() == value, qPrintable("case " + QString::number(i)));
        }

        Window window; // the output box's text, as typed
        window.options.setOutputFile("/out/");
        window.panel.updateOptions();
        QCOMPARE(window.output.items(), QStringList{"/out/"});
        window.output.setText("/typed/");
        window.panel.readBack();
        QCOMPARE(window.options.outputFile(), OptionalText("/typed/"));
    }

    // Such a value survives unchanged instead of turning into another choice.
    void valuesBeyondThePopUpsStayUnselected()
    {
        const std::tuple<int, Getter, Setter, qint64> cases[] = {
            {110, &O::blockSize, &O::setBlockSize, 40},
            {300, &O::precision, &O::setPrecision, -2},
            {60, &O::targetCharset, &O::setTargetCharset, 100},
        };
        Window window;
        for (auto [tag, get, set, value] : cases)
            (window.options.*set)(value);
        window.panel.updateOptions();
        window.panel.readBack();
        for (auto [tag, get, set, value] : cases) {
            QCOMPARE(window.popUp(tag)->currentIndex(), -1);
            QCOMPARE((window.options.*get)(), value);
        }
    }

    // A missing control, or one of another kind, reads back as 0 or absent;
    // only backticks keeps its field. A text the record lacks leaves the
    // view's own text.
    void handBuiltViewsReadBackWhatTheyHold()
    {
        QWidget view;
        (new QLabel("not a check box", &view))->setProperty("tag", 250);
        (new QCheckBox("not a pop-up", &view))->setProperty("tag", 50);
        auto* records = new QLineEdit("TAB", &view);
        records->setProperty("tag", 30);
        auto* fields = new QLineEdit("old", &view);
        fields->setProperty("tag", 40);
        myOptions o;
        for (Setter set : {&O::setFirstLine, &O::setTypeOfFile, &O::setFileHeader, &O::setDropTable, &O::setFp,
                           &O::setBackticks})
            (o.*set)(1);
        o.setEscapeChar("\\");
        o.setDelimiterFields(";");
        OptionsPanel panel(o, {&view});
        panel.updateOptions();
        QCOMPARE(records->text(), QString("TAB"));
        QCOMPARE(fields->text(), QString(";"));
        panel.readBack();
        for (Getter get : {&O::firstLine, &O::typeOfFile, &O::fileHeader, &O::dropTable, &O::fp})
            QCOMPARE((o.*get)(), 0);
        QCOMPARE(o.backticks(), 1);
        QVERIFY(!o.escapeChar().has_value());
        QCOMPARE(o.delimiterRecords(), OptionalText("TAB"));
        QCOMPARE(o.delimiterFields(), OptionalText(";"));
    }

    // The command line's own true/false pair gets one item of its own.
    void ownLogicalPair()
    {
        const struct {
            qint64 logical;
            QVariant yes, no; // invalid: absent
            int items, selected;
            qint64 readBack;
        } cases[] = {
            {4, "Ja", "Nein", 5, 4, 4}, {4, "Oui", "", 5, 4, 4},     {4, "Ja", QVariant(), 4, 0, 0},
            {4, QVariant(), QVariant(), 4, 0, 0}, {6, "a", "b", 5, -1, 6}, {2, "a", "b", 4, 2, 2},
        };
        for (const auto& c : cases) {
            Window window;
            window.options.setLogical(c.logical);
            if (c.yes.isValid())
                window.options.setYesValue(c.yes.toString());
            if (c.no.isValid())
                window.options.setNoValue(c.no.toString());
            window.panel.updateOptions();
            window.panel.updateOptions(); // a second fill must not add a second item
            QComboBox* box = window.popUp(240);
            QCOMPARE(box->count(), c.items);
            QCOMPARE(box->currentIndex(), c.selected);
            if (c.items == 5)
                QCOMPARE(box->itemText(4), c.yes.toString() + " / " + c.no.toString());
            window.panel.readBack();
            QCOMPARE(window.options.logical(), c.readBack);
        }
    }

    // Only the user choosing Visual FoxPro in the flavour pop-up adjusts the
    // other pop-ups; the record learns them at the read-back.
    void visualFoxProAdjustsTheOtherPopUps()
    {
        for (int flavour = 0; flavour < 7; ++flavour) {
            bool adjusted = flavour == 3;
            Window window;
            window.panel.updateOptions();
            window.popUp(50)->setCurrentIndex(flavour);
            emit window.popUp(50)->activated(flavour);
            QCOMPARE(window.popUp(210)->currentIndex(), adjusted ? 1 : 0);
            QCOMPARE(window.popUp(130)->currentIndex(), adjusted ? 5 : 0);
            QCOMPARE(window.popUp(240)->currentIndex(), adjusted ? 2 : 0);
            QCOMPARE(window.options.logical(), 0);
            window.panel.readBack();
            QCOMPARE(window.options.logical(), adjusted ? 2 : 0);
        }

        Window window;
        window.options.setTypeOfFile(3);
        window.panel.updateOptions(); // a saved Visual FoxPro keeps the saved pop-ups
        window.panel.typeChanged();   // no sender
        QComboBox* dates = window.popUp(130);
        QObject::connect(dates, &QComboBox::activated, &window.panel, &OptionsPanel::typeChanged);
        emit dates->activated(3);
        QCOMPARE(window.popUp(240)->currentIndex(), 0);
    }

    void goCountCaption()
    {
        const std::tuple<qint64, int, const char*> cases[] = {
            {250, 250, "Add 'GO' every 250 records"}, // raises the maximum
            {40, 100, "Add 'GO' every 40 records"},
            {0, 100, "Do not add 'GO' command"},
        };
        for (auto [addGo, maximum, caption] : cases) {
            Window window;
            auto* count = qobject_cast<QSpinBox*>(nestedView(window.view.get(), 200));
            auto* label = qobject_cast<QLabel*>(nestedView(window.view.get(), 201));
            count->setMaximum(100);
            window.options.setAddGo(addGo);
            window.panel.updateOptions();
            QCOMPARE(count->maximum(), maximum);
            QCOMPARE(count->value(), int(addGo));
            QCOMPARE(label->text(), QString(caption));
            count->setValue(60); // enters the record at once
            QCOMPARE(window.options.addGo(), 60);
            QCOMPARE(label->text(), QString("Add 'GO' every 60 records"));
        }
    }

    void mixedCheckBoxReadsAsOff()
    {
        Window window;
        auto* firstRow = qobject_cast<QCheckBox*>(nestedView(window.view.get(), 250));
        const std::pair<Qt::CheckState, int64_t> states[] = {
            {Qt::Checked, 1}, {Qt::PartiallyChecked, 0}, {Qt::Unchecked, 0}};
        for (auto [state, expected] : states) {
            firstRow->setCheckState(state);
            window.panel.readBack();
            QCOMPARE(window.options.firstLine(), expected);
        }
    }

    void radioGroupsReadTheTagNotTheRow()
    {
        Window window;
        QWidget group;
        myOptions options;
        OptionsPanel panel(options, {window.view.get(), nullptr, optionstest::radioGroup(&group, {4, 3, 2, 1, 0})});
        options.setOverwriteFile(1);
        panel.updateOptions();
        panel.readBack();
        QCOMPARE(options.overwriteFile(), 3);
        options.setOverwriteFile(9); // no such row: nothing is selected anew
        panel.updateOptions();
        panel.readBack();
        QCOMPARE(options.overwriteFile(), 3);
    }
};

QTEST_MAIN(OptionsPanelTest)
#include "options_panel_test.moc"
