#include "platform/data/DbEngine.h"

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/data/ConnectionString.h"

std::unique_ptr<TDbEngine> OpenDbEngine(const std::string& ConnectionString) {
  const TConnectionString Settings(ConnectionString);
  const std::string Provider = Settings.Value("Provider");
  if (Provider.empty() || SameText(Provider, "SQLite")) return OpenSqliteEngine(Settings);
  if (SameText(Provider, "PostgreSQL") || SameText(Provider, "Postgres")) return OpenPostgresEngine(Settings);
  throw EDatabaseError("Provider '" + Provider + "' is not supported (use SQLite or PostgreSQL)");
}

void CheckConnectionKeys(const TConnectionString& Settings, const std::vector<const char*>& Known,
                         const std::string& Provider) {
  for (const auto& Pair : Settings.Pairs()) {
    bool Found = SameText(Pair.first, "Provider");
    for (const char* Key : Known) Found = Found || SameText(Pair.first, Key);
    if (!Found)
      throw EDatabaseError("Connection string key '" + Pair.first + "' is not known to the " + Provider +
                           " provider");
  }
}

void MakeColumnNamesUnique(std::vector<TFieldDefinition>& Columns) {
  for (size_t I = 1; I < Columns.size(); ++I) {
    auto Taken = [&](const std::string& Name) {
      for (size_t J = 0; J < I; ++J)
        if (SameText(Columns[J].Name, Name)) return true;
      return false;
    };
    if (!Taken(Columns[I].Name)) continue;
    int Suffix = 1;
    while (Taken(Columns[I].Name + "_" + IntToStr(Suffix))) ++Suffix;
    Columns[I].Name += "_" + IntToStr(Suffix);
  }
}
