#include "conversion_settings.h"

#include "options/charsets.h"
#include "options/my_options.h"

ConversionSettings ConversionSettings::from(const myOptions& options)
{
    ConversionSettings settings;
    settings.charsetCode = charsetCodeAtIndex(options.targetCharset());
    settings.typeOfFile = options.typeOfFile();
    settings.firstLine = options.firstLine();
    settings.allCharacter = options.allCharacter();
    settings.precision = options.precision();
    settings.blockSize = options.blockSize();
    settings.removeSpaces = options.removeSpaces();
    settings.removeCRLF = options.removeCRLF();
    settings.logical = LogicalRule::from(options);
    return settings;
}
