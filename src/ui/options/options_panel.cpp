#include "options_panel.h"

// Placeholder until the panel lands.
OptionsPanel::OptionsPanel(myOptions& options, const PanelControls& controls, QObject* parent)
    : QObject(parent), options_(options), controls_(controls)
{
}
void OptionsPanel::updateOptions() {}
void OptionsPanel::readBack() {}
void OptionsPanel::valueChanged() {}
void OptionsPanel::typeChanged() {}
