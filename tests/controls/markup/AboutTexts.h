// The markup of the main window's footer and of the About window's three labels, as the tests and
// benchmarks of the renderer use them.
#pragma once

namespace plexon::test {

inline constexpr const char* kFooterText =
    "<b>Tesvo</b>  ::  Supporting developers since 2001   ::   "
    "<a href=\"https://www.tesvo.example/\">www.tesvo.example</a>  ";

inline constexpr const char* kAboutProductText =
    "<font size=\"16\"><b>Tes<font color=\"#FF8000\">vo <font color=\"#004080\">Plexon</b></font><br>"
    "<font color=\"#808080\">Version 1.0 Build 304</font>";

inline constexpr const char* kAboutTermsText =
    "This application is provided free of charge, and without any warranty. The user accepts all "
    "responsibility for any problems that may arise from the use of this software.<br><br>If you do find "
    "any problems or bugs, have a question, or would like to make a comment or suggestion, please let us "
    "know - <a href=\"mailto:support@tesvo.example\">support@tesvo.example</a><br><br><font "
    "color=\"#808080\"><font size=\"7\">Unauthorised reproduction or distribution of this program, or any "
    "part of it, is not permitted.</font></font>";

inline constexpr const char* kAboutWebText =
    "<p align=\"center\"><b>Visit our web site for updates and other utilities - and of course, our great "
    "icons, animations && graphics!<br><br><font size=\"12\"><a "
    "href=\"https://www.tesvo.example/\">www.tesvo.example</a></font></b></p>";

}  // namespace plexon::test
