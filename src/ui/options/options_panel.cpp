#include "options_panel.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>
#include <climits>
#include <tuple>

#include "options/my_options.h"
#include "ui/tagged_views.h"
#include "ui/window_parts.h"

namespace {

using Getter = int64_t (myOptions::*)() const;
using Setter = void (myOptions::*)(int64_t);
using TextGetter = OptionalText (myOptions::*)() const;
using TextSetter = void (myOptions::*)(OptionalText);

// Marks the item that updateOptions appends for the command line's own
// true/false pair, so a second updateOptions replaces it.
const char* const kLogicalPairMark = "ledgerline-own-pair";
constexpr int kLogicalOwnPair = 4;

// Item indexes and counts are ints; any value outside them is "no item".
int indexFor(int64_t value)
{
    return value >= 0 && value <= INT_MAX ? int(value) : -1;
}

void showCheck(QWidget* control, int64_t value)
{
    if (auto* box = qobject_cast<QCheckBox*>(control))
        box->setCheckState(value != 0 ? Qt::Checked : Qt::Unchecked);
}

// On is 1; off, mixed and a missing box are 0.
int64_t checkValue(QWidget* control)
{
    auto* box = qobject_cast<QCheckBox*>(control);
    return box && box->checkState() == Qt::Checked ? 1 : 0;
}

void showPopUp(QWidget* control, int64_t value)
{
    auto* popUp = qobject_cast<QComboBox*>(control);
    if (!popUp)
        return;
    int index = indexFor(value);
    popUp->setCurrentIndex(index < popUp->count() ? index : -1);
}

// The selected index; `unchanged` when nothing is selected; 0 when the
// pop-up is missing.
int64_t popUpValue(QWidget* control, int64_t unchanged)
{
    auto* popUp = qobject_cast<QComboBox*>(control);
    if (!popUp)
        return 0;
    return popUp->currentIndex() >= 0 ? popUp->currentIndex() : unchanged;
}

// An absent field leaves the text that the view gives the field.
void showText(QWidget* control, const OptionalText& text)
{
    if (auto* field = qobject_cast<QLineEdit*>(control); field && text)
        field->setText(*text);
}

OptionalText textValue(QWidget* control)
{
    if (auto* field = qobject_cast<QLineEdit*>(control))
        return field->text();
    return std::nullopt;
}

// The GO count: a spin box or a slider.
struct NumberControl {
    QSpinBox* spinBox = nullptr;
    QAbstractSlider* slider = nullptr;

    explicit NumberControl(QWidget* control)
        : spinBox(qobject_cast<QSpinBox*>(control)), slider(qobject_cast<QAbstractSlider*>(control))
    {
    }
    bool exists() const { return spinBox || slider; }
    int value() const { return spinBox ? spinBox->value() : slider ? slider->value() : 0; }
    int maximum() const { return spinBox ? spinBox->maximum() : slider ? slider->maximum() : 0; }
    void setMaximum(int maximum)
    {
        if (spinBox)
            spinBox->setMaximum(maximum);
        if (slider)
            slider->setMaximum(maximum);
    }
    void setValue(int value)
    {
        if (spinBox)
            spinBox->setValue(value);
        if (slider)
            slider->setValue(value);
    }
};

} // namespace

OptionsPanel::OptionsPanel(myOptions& options, const PanelControls& controls, QObject* parent)
    : QObject(parent), options_(options), controls_(controls)
{
}

QString OptionsPanel::logicalPairTitle(const QString& yes, const QString& no)
{
    return QStringLiteral("%1 / %2").arg(yes, no);
}

QWidget* OptionsPanel::control(int tag) const
{
    return nestedView(controls_.optionsView, tag);
}

void OptionsPanel::updateOptions()
{
    myOptions& o = options_;
    showCheck(controls_.separateFile, o.separateFiles());
    selectRadioRow(controls_.overFiles, indexFor(o.overwriteFile()));
    selectRadioRow(controls_.overTables, indexFor(o.overwriteTable()));
    if (OptionalText output = o.outputFile(); output && controls_.output)
        controls_.output->AddItem(*output);
    showPopUp(controls_.srcCharset, o.sourceCharset());

    const std::pair<int, TextGetter> texts[] = {
        {80, &myOptions::escapeChar},
        {120, &myOptions::escapeQuote},
        {30, &myOptions::delimiterRecords},
        {40, &myOptions::delimiterFields},
    };
    for (auto [tag, get] : texts)
        showText(control(tag), (o.*get)());

    const std::pair<int, Getter> checks[] = {
        {10, &myOptions::fileHeader},     {20, &myOptions::fileBody},      {220, &myOptions::typesInFile},
        {70, &myOptions::textInQuotes},   {290, &myOptions::allInQuotes},  {90, &myOptions::removeCRLF},
        {140, &myOptions::recallDeleted}, {150, &myOptions::numberOfRecord}, {160, &myOptions::deletionMark},
        {170, &myOptions::cData},         {180, &myOptions::brackets},     {185, &myOptions::backticks},
        {190, &myOptions::fieldNames},    {230, &myOptions::dropTable},    {250, &myOptions::firstLine},
        {260, &myOptions::secondLine},    {270, &myOptions::allCharacter},
    };
    for (auto [tag, get] : checks)
        showCheck(control(tag), (o.*get)());

    showPopUp(control(60), o.targetCharset());
    showPopUp(control(130), o.dateFormat());
    showPopUp(control(110), o.blockSize());
    showPopUp(control(50), o.typeOfFile());
    // `activated` is the user's choice only, so filling the panel with a
    // saved Visual FoxPro flavour does not override the saved pop-ups.
    if (auto* flavour = qobject_cast<QComboBox*>(control(50)))
        connect(flavour, &QComboBox::activated, this, &OptionsPanel::typeChanged, Qt::UniqueConnection);
    showPopUp(control(210), o.quotesType());
    showPopUp(control(100), o.removeSpaces());
    showPopUp(control(280), o.fp());
    showPopUp(control(300), o.precision());

    showLogical();
    showGoCount();
}

void OptionsPanel::showLogical()
{
    auto* popUp = qobject_cast<QComboBox*>(control(240));
    if (popUp)
        for (int i = popUp->count() - 1; i >= 0; --i)
            if (popUp->itemData(i).toString() == QLatin1StringView(kLogicalPairMark))
                popUp->removeItem(i);
    if (options_.logical() >= kLogicalOwnPair) {
        OptionalText yes = options_.yesValue();
        OptionalText no = options_.noValue();
        if (yes && no) {
            if (popUp)
                popUp->addItem(logicalPairTitle(*yes, *no), QString::fromLatin1(kLogicalPairMark));
        } else {
            options_.setLogical(0);
        }
    }
    showPopUp(popUp, options_.logical());
}

void OptionsPanel::showGoCount()
{
    QWidget* widget = control(200);
    NumberControl go(widget);
    if (!go.exists())
        return;
    // The control holds ints; a count beyond them shows as the largest.
    int count = int(std::clamp<int64_t>(options_.addGo(), INT_MIN, INT_MAX));
    if (count > go.maximum())
        go.setMaximum(count);
    go.setValue(count);
    if (go.spinBox)
        connect(go.spinBox, &QSpinBox::valueChanged, this, &OptionsPanel::valueChanged, Qt::UniqueConnection);
    if (go.slider)
        connect(go.slider, &QAbstractSlider::valueChanged, this, &OptionsPanel::valueChanged, Qt::UniqueConnection);
    valueChanged();
}

void OptionsPanel::valueChanged()
{
    NumberControl go(control(200));
    options_.setAddGo(go.value());
    if (auto* label = qobject_cast<QLabel*>(control(201))) {
        int64_t count = options_.addGo();
        label->setText(count != 0 ? QStringLiteral("Add 'GO' every %1 records").arg(count)
                                  : QStringLiteral("Do not add 'GO' command"));
    }
}

void OptionsPanel::typeChanged()
{
    constexpr int kVisualFoxPro = 3;
    auto* flavour = qobject_cast<QComboBox*>(control(50));
    if (!flavour || sender() != flavour || flavour->currentIndex() != kVisualFoxPro)
        return;
    showPopUp(control(210), 1); // single quotes
    showPopUp(control(130), 5); // yyyy-mm-dd
    showPopUp(control(240), 2); // TRUE / FALSE
}

void OptionsPanel::readBack()
{
    myOptions& o = options_;
    o.setOutputFile(controls_.output ? OptionalText(controls_.output->text()) : std::nullopt);
    o.setSeparateFiles(checkValue(controls_.separateFile));
    o.setOverwriteFile(checkedRadioTag(controls_.overFiles));
    o.setOverwriteTable(checkedRadioTag(controls_.overTables));
    o.setFileHeader(checkValue(control(10)));
    o.setFileBody(checkValue(control(20)));
    o.setDelimiterRecords(textValue(control(30)));
    o.setDelimiterFields(textValue(control(40)));
    o.setTargetCharset(popUpValue(control(60), o.targetCharset()));

    const std::tuple<int, Getter, Setter> popUps[] = {
        {130, &myOptions::dateFormat, &myOptions::setDateFormat},
        {110, &myOptions::blockSize, &myOptions::setBlockSize},
        {50, &myOptions::typeOfFile, &myOptions::setTypeOfFile},
        {210, &myOptions::quotesType, &myOptions::setQuotesType},
        {240, &myOptions::logical, &myOptions::setLogical},
        {100, &myOptions::removeSpaces, &myOptions::setRemoveSpaces},
        {280, &myOptions::fp, &myOptions::setFp},
        {300, &myOptions::precision, &myOptions::setPrecision},
    };
    for (auto [tag, get, set] : popUps)
        (o.*set)(popUpValue(control(tag), (o.*get)()));

    o.setTextInQuotes(checkValue(control(70)));
    o.setAllInQuotes(checkValue(control(290)));
    o.setEscapeChar(textValue(control(80)));
    o.setEscapeQuote(textValue(control(120)));

    const std::pair<int, Setter> checks[] = {
        {90, &myOptions::setRemoveCRLF},    {140, &myOptions::setRecallDeleted}, {160, &myOptions::setDeletionMark},
        {170, &myOptions::setCData},        {150, &myOptions::setNumberOfRecord}, {180, &myOptions::setBrackets},
    };
    for (auto [tag, set] : checks)
        (o.*set)(checkValue(control(tag)));
    if (QWidget* backticks = control(185))
        o.setBackticks(checkValue(backticks));
    const std::pair<int, Setter> moreChecks[] = {
        {190, &myOptions::setFieldNames},  {230, &myOptions::setDropTable},    {250, &myOptions::setFirstLine},
        {260, &myOptions::setSecondLine},  {270, &myOptions::setAllCharacter}, {220, &myOptions::setTypesInFile},
    };
    for (auto [tag, set] : moreChecks)
        (o.*set)(checkValue(control(tag)));
    o.setAddGo(NumberControl(control(200)).value());
}
