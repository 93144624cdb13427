#include "objlib/persist.h"

PersistManager& Persistence()
{
    static PersistManager manager;
    return manager;
}
