#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include "fake_window.h"
#include "options/my_options.h"
#include "options_view.h"
#include "ui/options/options_panel.h"
#include "ui/tagged_views.h"

namespace {

QComboBox* popUp(QWidget* view, int tag)
{
    return qobject_cast<QComboBox*>(nestedView(view, tag));
}

QStringList itemTexts(QComboBox* box)
{
    QStringList texts;
    for (int i = 0; box && i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// A radio group whose buttons carry the given tags, in row order.
QWidget* radioGroup(QWidget* parent, const QList<int>& tags)
{
    auto* group = new QWidget(parent);
    auto* layout = new QVBoxLayout(group);
    for (int tag : tags) {
        auto* button = new QRadioButton(QString::number(tag), group);
        button->setProperty("tag", tag);
        layout->addWidget(button);
    }
    return group;
}

using Getter = int64_t (myOptions::*)() const;
using Setter = void (myOptions::*)(int64_t);

} // namespace

Q_DECLARE_METATYPE(Getter)
Q_DECLARE_METATYPE(Setter)

class OptionsPanelTest : public QObject {
    Q_OBJECT

private:
    // The window's parts around a freshly loaded options view.
    struct Window {
        std::unique_ptr<QWidget> view = optionstest::loadOptionsView();
        QWidget outlets;
        QCheckBox* separateFile = new QCheckBox(&outlets);
        QWidget* overFiles = radioGroup(&outlets, {0, 1, 2, 3, 4});
        QWidget* overTables = radioGroup(&outlets, {0, 1, 2, 3, 4});
        QComboBox* srcCharset = new QComboBox(&outlets);
        FakeOutputHistory output;
        myOptions options;
        OptionsPanel panel{options, {view.get(), separateFile, overFiles, overTables, srcCharset, &output}};

        Window()
        {
            // The window lists the character sets at start-up.
            QComboBox* target = popUp(view.get(), 60);
            target->clear();
            for (int i = 0; i < 100; ++i) {
                target->addItem(QString::number(i), i);
                srcCharset->addItem(QString::number(i), i);
            }
        }
    };

private slots:
    void viewHoldsTheTaggedControls_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("items"); // empty: not checked
        QTest::addColumn<int>("itemCount");
        QTest::newRow("flavour") << 50 << "QComboBox"
                                 << QStringList{"dBase III", "FoxPro", "dBase IV", "Visual FoxPro", "SMT", "dBase 7"}
                                 << 7;
        QTest::newRow("target charset") << 60 << "QComboBox" << QStringList{} << 1;
        QTest::newRow("line breaks") << 90 << "QCheckBox" << QStringList{} << 0;
        QTest::newRow("spaces") << 100 << "QComboBox" << QStringList{} << 3;
        QTest::newRow("memo blocks") << 110 << "QComboBox" << QStringList{} << 12;
        QTest::newRow("date patterns")
            << 130 << "QComboBox"
            << QStringList{"dd.mm.yyyy", "mm.dd.yyyy", "yyyy.mm.dd", "dd-mm-yyyy", "mm-dd-yyyy",
                           "yyyy-mm-dd", "dd/mm/yyyy", "mm/dd/yyyy", "yyyy/mm/dd", "yyyymmdd"}
            << 10;
        QTest::newRow("GO count") << 200 << "QSpinBox" << QStringList{} << 0;
        QTest::newRow("GO caption") << 201 << "QLabel" << QStringList{} << 0;
        QTest::newRow("quote style") << 210 << "QComboBox" << QStringList{} << 3;
        QTest::newRow("logical") << 240 << "QComboBox" << QStringList{"Unchanged", "1 / 0", "TRUE / FALSE", "Yes / No"}
                                 << 4;
        QTest::newRow("first row") << 250 << "QCheckBox" << QStringList{} << 0;
        QTest::newRow("all as text") << 270 << "QCheckBox" << QStringList{} << 0;
        QTest::newRow("decimals") << 300 << "QComboBox" << QStringList{} << 10;
    }

    void viewHoldsTheTaggedControls()
    {
        QFETCH(int, tag);
        QFETCH(QString, kind);
        QFETCH(QStringList, items);
        QFETCH(int, itemCount);
        std::unique_ptr<QWidget> view = optionstest::loadOptionsView();
        QVERIFY(view);
        QWidget* control = nestedView(view.get(), tag);
        QVERIFY(control);
        QCOMPARE(QString(control->metaObject()->className()), kind);
        if (auto* box = qobject_cast<QComboBox*>(control)) {
            QCOMPARE(box->count(), itemCount);
            QStringList texts = itemTexts(box);
            for (qsizetype i = 0; i < items.size(); ++i)
                QCOMPARE(texts[i], items[i]);
        }
    }

    void itemOrdersFollowTheValues()
    {
        std::unique_ptr<QWidget> view = optionstest::loadOptionsView();
        QStringList blocks = itemTexts(popUp(view.get(), 110));
        for (int i = 0; i < blocks.size(); ++i)
            QVERIFY2(blocks[i].startsWith(QString::number(16 << i) + " "), qPrintable(blocks[i]));
        QStringList decimals = itemTexts(popUp(view.get(), 300));
        for (int k = 1; k < decimals.size(); ++k)
            QVERIFY2(decimals[k].startsWith(QString::number(k - 1)), qPrintable(decimals[k]));
        QVERIFY(itemTexts(popUp(view.get(), 100))[0].contains("trailing"));
        QVERIFY(itemTexts(popUp(view.get(), 100))[2].contains("leading"));
    }

    void roundTripThroughTheControls_data()
    {
        QTest::addColumn<Getter>("get");
        QTest::addColumn<Setter>("set");
        QTest::addColumn<qint64>("value");
        using O = myOptions;
        QTest::newRow("separateFiles") << &O::separateFiles << &O::setSeparateFiles << qint64(1);
        QTest::newRow("overwriteFile") << &O::overwriteFile << &O::setOverwriteFile << qint64(3);
        QTest::newRow("overwriteTable") << &O::overwriteTable << &O::setOverwriteTable << qint64(4);
        QTest::newRow("typeOfFile") << &O::typeOfFile << &O::setTypeOfFile << qint64(6);
        QTest::newRow("targetCharset") << &O::targetCharset << &O::setTargetCharset << qint64(58);
        QTest::newRow("removeCRLF") << &O::removeCRLF << &O::setRemoveCRLF << qint64(1);
        QTest::newRow("removeSpaces") << &O::removeSpaces << &O::setRemoveSpaces << qint64(2);
        QTest::newRow("blockSize") << &O::blockSize << &O::setBlockSize << qint64(11);
        QTest::newRow("dateFormat") << &O::dateFormat << &O::setDateFormat << qint64(9);
        QTest::newRow("addGo") << &O::addGo << &O::setAddGo << qint64(500);
        QTest::newRow("quotesType") << &O::quotesType << &O::setQuotesType << qint64(2);
        QTest::newRow("logical") << &O::logical << &O::setLogical << qint64(3);
        QTest::newRow("firstLine") << &O::firstLine << &O::setFirstLine << qint64(1);
        QTest::newRow("allCharacter") << &O::allCharacter << &O::setAllCharacter << qint64(1);
        QTest::newRow("precision") << &O::precision << &O::setPrecision << qint64(9);
    }

    void roundTripThroughTheControls()
    {
        QFETCH(Getter, get);
        QFETCH(Setter, set);
        QFETCH(qint64, value);
        Window window;
        (window.options.*set)(value);
        window.panel.updateOptions();
        (window.options.*set)(value == 0 ? 1 : 0);
        window.panel.readBack();
        QCOMPARE((window.options.*get)(), value);
    }

    void missingControlsReadBackAsZeroOrAbsent()
    {
        Window window;
        myOptions& o = window.options;
        o.setFileHeader(1);
        o.setDropTable(1);
        o.setFp(3);
        o.setBackticks(1);
        o.setEscapeChar("\\");
        o.setDelimiterFields(";");
        window.panel.updateOptions();
        window.panel.readBack();
        QCOMPARE(o.fileHeader(), 0);
        QCOMPARE(o.dropTable(), 0);
        QCOMPARE(o.fp(), 0);
        QCOMPARE(o.backticks(), 1); // kept when its control is missing
        QVERIFY(!o.escapeChar().has_value());
        QVERIFY(!o.delimiterFields().has_value());
    }

    void outputBoxTextIsReadBack()
    {
        Window window;
        window.options.setOutputFile("/out/");
        window.panel.updateOptions();
        QCOMPARE(window.output.items(), QStringList{"/out/"});
        window.output.setText("/typed/");
        window.panel.readBack();
        QCOMPARE(window.options.outputFile(), OptionalText("/typed/"));
    }

    void valuesBeyondThePopUpsStayUnselected()
    {
        Window window;
        window.options.setBlockSize(40);
        window.options.setPrecision(-2);
        window.options.setTargetCharset(100);
        window.panel.updateOptions();
        QCOMPARE(popUp(window.view.get(), 110)->currentIndex(), -1);
        QCOMPARE(popUp(window.view.get(), 300)->currentIndex(), -1);
        QCOMPARE(popUp(window.view.get(), 60)->currentIndex(), -1);
        window.panel.readBack();
        QCOMPARE(window.options.blockSize(), 40);
        QCOMPARE(window.options.precision(), -2);
        QCOMPARE(window.options.targetCharset(), 100);
    }

    void ownLogicalPair_data()
    {
        QTest::addColumn<qint64>("logical");
        QTest::addColumn<QVariant>("yes"); // invalid: absent
        QTest::addColumn<QVariant>("no");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("selected");
        QTest::addColumn<qint64>("readBack");
        QTest::newRow("both texts") << qint64(4) << QVariant("Ja") << QVariant("Nein") << 5 << 4 << qint64(4);
        QTest::newRow("empty no") << qint64(4) << QVariant("Oui") << QVariant("") << 5 << 4 << qint64(4);
        QTest::newRow("no absent") << qint64(4) << QVariant("Ja") << QVariant() << 4 << 0 << qint64(0);
        QTest::newRow("both absent") << qint64(4) << QVariant() << QVariant() << 4 << 0 << qint64(0);
        QTest::newRow("beyond the pair") << qint64(6) << QVariant("a") << QVariant("b") << 5 << -1 << qint64(6);
        QTest::newRow("plain code") << qint64(2) << QVariant("a") << QVariant("b") << 4 << 2 << qint64(2);
    }

    void ownLogicalPair()
    {
        QFETCH(qint64, logical);
        QFETCH(QVariant, yes);
        QFETCH(QVariant, no);
        QFETCH(int, items);
        QFETCH(int, selected);
        QFETCH(qint64, readBack);
        Window window;
        window.options.setLogical(logical);
        if (yes.isValid())
            window.options.setYesValue(yes.toString());
        if (no.isValid())
            window.options.setNoValue(no.toString());
        window.panel.updateOptions();
        window.panel.updateOptions(); // a second fill must not add a second item
        QComboBox* box = popUp(window.view.get(), 240);
        QCOMPARE(box->count(), items);
        QCOMPARE(box->currentIndex(), selected);
        if (items == 5)
            QCOMPARE(box->itemText(4), yes.toString() + " / " + no.toString());
        window.panel.readBack();
        QCOMPARE(window.options.logical(), readBack);
    }

    void visualFoxProAdjustsTheOtherPopUps_data()
    {
        QTest::addColumn<int>("flavour");
        QTest::addColumn<bool>("adjusted");
        for (int flavour = 0; flavour < 7; ++flavour)
            QTest::addRow("flavour %d", flavour) << flavour << (flavour == 3);
    }

    void visualFoxProAdjustsTheOtherPopUps()
    {
        QFETCH(int, flavour);
        QFETCH(bool, adjusted);
        Window window;
        window.panel.updateOptions();
        QComboBox* type = popUp(window.view.get(), 50);
        type->setCurrentIndex(flavour);
        emit type->activated(flavour);
        QCOMPARE(popUp(window.view.get(), 210)->currentIndex(), adjusted ? 1 : 0);
        QCOMPARE(popUp(window.view.get(), 130)->currentIndex(), adjusted ? 5 : 0);
        QCOMPARE(popUp(window.view.get(), 240)->currentIndex(), adjusted ? 2 : 0);
        QCOMPARE(window.options.logical(), 0); // only the read-back changes the record
        window.panel.readBack();
        QCOMPARE(window.options.logical(), adjusted ? 2 : 0);
    }

    void typeChangedActsOnlyForTheFlavourPopUp()
    {
        Window window;
        window.options.setTypeOfFile(3);
        window.panel.updateOptions(); // a saved Visual FoxPro keeps the saved pop-ups
        QCOMPARE(popUp(window.view.get(), 240)->currentIndex(), 0);
        window.panel.typeChanged(); // no sender
        QCOMPARE(popUp(window.view.get(), 240)->currentIndex(), 0);
        QComboBox* dates = popUp(window.view.get(), 130);
        dates->setCurrentIndex(3);
        QObject::connect(dates, &QComboBox::activated, &window.panel, &OptionsPanel::typeChanged);
        emit dates->activated(3);
        QCOMPARE(popUp(window.view.get(), 240)->currentIndex(), 0);
    }

    void goCountCaption_data()
    {
        QTest::addColumn<qint64>("addGo");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("caption");
        QTest::newRow("raises the maximum") << qint64(250) << 250 << "Add 'GO' every 250 records";
        QTest::newRow("within the maximum") << qint64(40) << 100 << "Add 'GO' every 40 records";
        QTest::newRow("none") << qint64(0) << 100 << "Do not add 'GO' command";
    }

    void goCountCaption()
    {
        QFETCH(qint64, addGo);
        QFETCH(int, maximum);
        QFETCH(QString, caption);
        Window window;
        auto* count = qobject_cast<QSpinBox*>(nestedView(window.view.get(), 200));
        count->setMaximum(100);
        window.options.setAddGo(addGo);
        window.panel.updateOptions();
        QCOMPARE(count->maximum(), maximum);
        QCOMPARE(count->value(), int(addGo));
        auto* label = qobject_cast<QLabel*>(nestedView(window.view.get(), 201));
        QCOMPARE(label->text(), caption);
        // Moving the control enters the record at once.
        count->setValue(60);
        QCOMPARE(window.options.addGo(), 60);
        QCOMPARE(label->text(), QString("Add 'GO' every 60 records"));
    }

    void checkBoxStates()
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
        QWidget* reversed = radioGroup(&group, {4, 3, 2, 1, 0});
        myOptions options;
        OptionsPanel panel(options, {window.view.get(), nullptr, reversed, nullptr, nullptr, nullptr});
        options.setOverwriteFile(1);
        panel.updateOptions();
        panel.readBack();
        QCOMPARE(options.overwriteFile(), 3);
        options.setOverwriteFile(9); // no such row: nothing is selected anew
        panel.updateOptions();
        panel.readBack();
        QCOMPARE(options.overwriteFile(), 3);
    }

    void absentTextKeepsTheViewsText()
    {
        QWidget view;
        auto* field = new QLineEdit("TAB", &view);
        field->setProperty("tag", 30);
        auto* other = new QLineEdit("old", &view);
        other->setProperty("tag", 40);
        myOptions options;
        options.setDelimiterFields(";");
        OptionsPanel panel(options, {&view});
        panel.updateOptions();
        QCOMPARE(field->text(), QString("TAB"));
        QCOMPARE(other->text(), QString(";"));
        panel.readBack();
        QCOMPARE(options.delimiterRecords(), OptionalText("TAB"));
        QCOMPARE(options.delimiterFields(), OptionalText(";"));
    }

    void controlsOfAnotherKindAreSkipped()
    {
        QWidget view;
        (new QLabel("not a check box", &view))->setProperty("tag", 250);
        (new QCheckBox("not a pop-up", &view))->setProperty("tag", 50);
        myOptions options;
        options.setFirstLine(1);
        options.setTypeOfFile(3);
        OptionsPanel panel(options, {&view});
        panel.updateOptions();
        panel.readBack();
        QCOMPARE(options.firstLine(), 0);
        QCOMPARE(options.typeOfFile(), 0);
    }
};

QTEST_MAIN(OptionsPanelTest)
#include "options_panel_test.moc"
