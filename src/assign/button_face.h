// What a main-window button shows for its record: a picture cell, or the key face with a name.
#pragma once

#include <string>

#include "assign/key_names.h"
#include "settings/profile_set.h"

namespace assign {

struct ButtonFace {
  bool plainKey;        // the plain key face with `caption` written on it
  int cellIndex;        // otherwise the face cell index (-1: the code has no picture)
  std::string caption;  // empty except on the plain key face
};

ButtonFace FaceOf(const settings::ButtonAssignment& record, KeyCharSource charOf);

}  // namespace assign
