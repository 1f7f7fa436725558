#include "cellar/SharedImagePath.h"

QString& SharedImagePath()
{
    static QString path;
    return path;
}
