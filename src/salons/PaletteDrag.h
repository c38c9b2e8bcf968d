#pragma once
// What is being dragged from the element palette onto the floor plan: the
// palette item's key ("n" and the element type), its text and its group.
// One instance for the component, set by the palette when an element is
// pressed and read by the floor-plan editor when it is dropped.
#include "salons_export.h"
#include "salons/FlowGraphDocument.h"

#include <QPointF>
#include <QString>
#include <functional>
#include <optional>

namespace zqvr::salons {

struct ZQVR_SALONS_EXPORT PaletteDrag {
    QString key;
    QString text;
    int group = 0;

    void clear() { key.clear(); text.clear(); group = 0; }
    bool active() const { return !key.isEmpty(); }

    static PaletteDrag& shared();
};

// The element type of a palette key: the number after its first character
// ("n12" is 12); leading digits only, 0 when there are none.
ZQVR_SALONS_EXPORT int elementType(const QString& key);

// The palette group of the drawn (markup) elements.
constexpr int MarkupGroup = 1;
// Picture elements of these types show the pictures CFG_SL_1 ... CFG_SL_6.
constexpr int FirstPictureType = 7;
constexpr int LastPictureType = 12;

// The node a drop at point places: group 1 a node drawn from the element's
// Xaml (xamlOf(type); "" when the type has no row), any other group a 64 x 64
// picture node whose picture index is type - 7 for types 7 to 12. Nothing
// when no palette item is being dragged.
ZQVR_SALONS_EXPORT std::optional<FlowNode> nodeForDrop(const PaletteDrag& drag, const QPointF& point,
                                                         const std::function<QString(int)>& xamlOf);

// The picture file of a picture index: "<folder>/Imagen/CFG_SL_<index + 1>.png".
ZQVR_SALONS_EXPORT QString elementPicturePath(const QString& folder, int imageIndex);

} // namespace zqvr::salons
