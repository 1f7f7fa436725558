#pragma once

#include <QString>

// The picture path the picture dialog hands back to the page that opened it; the page empties it
// once read.
QString& SharedImagePath();
