#include "db/CellarEvents.h"

CellarEvents& CellarEvents::instance()
{
    static CellarEvents events;
    return events;
}
