#pragma once
// Deployment values: where this build of Ledgerline sends users for help
// and support. These are the only places they are written; change them
// here for a real deployment.
//
//   kWebSiteAddress       scheme and host of the web site, no trailing "/".
//                         The online help is <site>/machelp/machelp.php?
//                         product=<module>, the home page <site>/<module>mac/.
//   kSupportEmailAddress  receives the support e-mails.

namespace ll::deployment {

inline constexpr char kWebSiteAddress[] = "https://ledgerline.example.org";
inline constexpr char kSupportEmailAddress[] = "support@ledgerline.example.org";

} // namespace ll::deployment
