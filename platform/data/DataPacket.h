#pragma once

#include <vector>

#include "platform/core/Variant.h"
#include "platform/data/DataSet.h"

// The records a provider hands a client data set, as one variant that
// crosses late-bound calls:
//
//   [ [ [name, type name, size], ... ],    field descriptions
//     [ [value, value, ...], ... ] ]       records, one value per field
//
// Type names are those of FieldTypeName ("String", "Integer", ...).

// The descriptions of an open data set's fields.
std::vector<TFieldDefinition> FieldDefinitionsOf(const TDataSet& DataSet);
Variant MakeDataPacket(const std::vector<TFieldDefinition>& Fields, const std::vector<TRecordValues>& Records);
// Every record of an open data set from its first; the cursor ends after the last.
Variant DataPacketOf(TDataSet& DataSet);
// Raises EDatabaseError naming what is malformed; values are converted to
// their field's type.
TDataSetContent ReadDataPacket(const Variant& Packet);
