#pragma once
// The addresses of the help actions, built from the web site address and
// the converter module's name (both passed in, so tests need no
// deployment).

#include <QString>

// "<site>/machelp/machelp.php?product=<module>"
QString helpURL(const QString& site, const QString& moduleName);
// "<site>/<module>mac/": the product's home page.
QString homepageURL(const QString& site, const QString& moduleName);

// "<title> (<platform>) Version <version>"
QString supportSubject(const QString& windowTitle, const QString& platform, const QString& version);
// "mailto:<address>?Subject=<subject>" with every blank turned into "%20"
// and nothing else encoded.
QString supportMailLink(const QString& address, const QString& subject);

// The running system's name for the subject: "Linux" on Linux (the kernel
// type with a capital first letter elsewhere).
QString platformName();
