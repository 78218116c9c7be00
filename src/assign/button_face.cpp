// Choosing a button's face from its record.
#include "assign/button_face.h"

#include "settings/function_catalogue.h"

namespace assign {

ButtonFace FaceOf(const settings::ButtonAssignment& record, KeyCharSource charOf) {
  // A single key has no picture of its own; the button names the key instead.
  if (record.code == settings::kCodeSingleKey)
    return {true, -1, SingleKeyCaption(record.events[0].usage, charOf)};
  return {false, settings::FaceCellIndex(record.code), ""};
}

}  // namespace assign
