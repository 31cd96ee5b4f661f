// The frame of a help file: the HTML page, its style sheet and the order of its topics. Each
// language's help file fills it with its own topics.
#pragma once

#include <initializer_list>
#include <QByteArray>

namespace datagen {

// The page in `language` (its HTML code, "fr" or "en") with this window title, holding the
// topics in the order given. Each topic is a `<div class="rubrique">` with its id and anchor.
QByteArray helpPage(const char *language, const char *title,
                    std::initializer_list<const char *> topics);

} // namespace datagen
