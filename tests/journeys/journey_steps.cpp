#include "tests/journeys/journey_steps.h"

#include "base/path_text.h"
#include "objlib/persist.h"
#include "objlib/registry.h"
#include "settings/settings.h"
#include "tests/support/probe_log.h"

std::wstring ProbeCommand(const std::wstring& argument)
{
    return QuoteIfSpaced(ProbeProgramPath()) + L" " + argument;
}

void LoadStoredSettings(cSettings& settings)
{
    RegistryKey product = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
    Persistence().PersistOf(settings).Load(product);
}

void SaveSettings(cSettings& settings)
{
    RegistryKey product = RegistryRoot().OpenKey(HKEY_CURRENT_USER, kProductKeyPath);
    Persistence().PersistOf(settings).Save(product);
}
