#include "reference/ReferenceEvents.h"

ReferenceEvents& ReferenceEvents::instance()
{
    static ReferenceEvents events;
    return events;
}
