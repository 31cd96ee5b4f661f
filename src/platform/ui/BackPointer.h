// Qt objects that show a component point back to it through a dynamic property, so a style
// or an event handler holding only the Qt object can find the component.
#pragma once

#include <QObject>
#include <QVariant>

namespace platform {

inline void PointBack(QObject *object, const char *property, const void *component) {
    object->setProperty(property, QVariant::fromValue(reinterpret_cast<quintptr>(component)));
}

template <typename T> T *PointedBack(const QObject *object, const char *property) {
    if (!object)
        return nullptr;
    return reinterpret_cast<T *>(object->property(property).value<quintptr>());
}

} // namespace platform
