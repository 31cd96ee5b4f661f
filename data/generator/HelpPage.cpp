#include "HelpPage.h"

namespace datagen {
namespace {

const char kHead[] = R"(<!DOCTYPE html>
<html lang="%LANG%">
<head>
<meta charset="utf-8">
<title>%TITLE%</title>
<style>
body { font-family: "Liberation Sans", Arial, sans-serif; font-size: 10pt; color: #1c2430;
       background: #ffffff; margin: 12px 18px; }
h1 { font-size: 15pt; color: #1d3b6e; border-bottom: 2px solid #1d3b6e; padding-bottom: 3px;
     margin-top: 28px; }
h2 { font-size: 11pt; color: #1d3b6e; margin-top: 14px; }
.rubrique { margin-bottom: 30px; }
.note { background: #eef3fb; border-left: 4px solid #4a78c2; padding: 6px 10px; }
.attention { background: #fdf0ee; border-left: 4px solid #c8402e; padding: 6px 10px; }
.menu { font-weight: bold; color: #203a66; }
.retour { font-size: 9pt; }
table { border-collapse: collapse; }
td, th { border: 1px solid #b8c4d6; padding: 3px 8px; vertical-align: top; }
th { background: #e4ebf6; text-align: left; }
</style>
</head>
<body>
)";

const char kTail[] = R"(
</body>
</html>
)";

} // namespace

QByteArray helpPage(const char *language, const char *title,
                    std::initializer_list<const char *> topics) {
    QByteArray page(kHead);
    page.replace("%LANG%", language).replace("%TITLE%", title);
    for (const char *topic : topics)
        page += topic;
    page += kTail;
    return page;
}

} // namespace datagen
