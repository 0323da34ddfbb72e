#include "platform/data/DataPacket.h"

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/data/Fields.h"

namespace {

[[noreturn]] void Malformed(const std::string& What) { throw EDatabaseError("Malformed data packet: " + What); }

// The elements of a one-dimensional array, or Malformed.
std::vector<Variant> Elements(const Variant& V, const std::string& What) {
  if (VarArrayDimCount(V) != 1) Malformed(What + " is not a list");
  std::vector<Variant> Items;
  for (int I = VarArrayLowBound(V, 1); I <= VarArrayHighBound(V, 1); ++I) Items.push_back(V.GetElement(I));
  return Items;
}

}  // namespace

Variant MakeDataPacket(const std::vector<TFieldDefinition>& Fields, const std::vector<TRecordValues>& Records) {
  std::vector<Variant> Descriptions;
  for (const TFieldDefinition& F : Fields) Descriptions.push_back(VarArrayOf({F.Name, FieldTypeName(F.DataType), F.Size}));
  std::vector<Variant> Rows;
  for (const TRecordValues& R : Records) Rows.push_back(VarArrayOf(R));
  return VarArrayOf({VarArrayOf(Descriptions), VarArrayOf(Rows)});
}

std::vector<TFieldDefinition> FieldDefinitionsOf(const TDataSet& DataSet) {
  std::vector<TFieldDefinition> Fields;
  for (int I = 0; I < DataSet.FieldCount(); ++I) {
    const TField* F = DataSet.Fields(I);
    Fields.push_back({F->FieldName(), F->DataType(), F->Size()});
  }
  return Fields;
}

Variant DataPacketOf(TDataSet& DataSet) {
  std::vector<TRecordValues> Records;
  for (DataSet.First(); !DataSet.Eof(); DataSet.Next()) {
    TRecordValues Values;
    for (int I = 0; I < DataSet.FieldCount(); ++I) Values.push_back(DataSet.Fields(I)->Value());
    Records.push_back(std::move(Values));
  }
  return MakeDataPacket(FieldDefinitionsOf(DataSet), Records);
}

TDataSetContent ReadDataPacket(const Variant& Packet) {
  const std::vector<Variant> Parts = Elements(Packet, "the packet");
  if (Parts.size() != 2) Malformed("it needs field descriptions and records");
  TDataSetContent Content;
  for (const Variant& D : Elements(Parts[0], "the field descriptions")) {
    const std::vector<Variant> Items = Elements(D, "a field description");
    if (Items.size() != 3 || VarToStr(Items[0]).empty()) Malformed("a field description needs a name, a type and a size");
    Content.Fields.push_back({VarToStr(Items[0]), FieldTypeFromName(VarToStr(Items[1])), VarToInteger(Items[2])});
  }
  int RecordNumber = 0;
  for (const Variant& R : Elements(Parts[1], "the records")) {
    ++RecordNumber;
    std::vector<Variant> Values = Elements(R, "record " + IntToStr(RecordNumber));
    if (Values.size() != Content.Fields.size())
      Malformed("record " + IntToStr(RecordNumber) + " has " + IntToStr(static_cast<int64_t>(Values.size())) +
                " values for " + IntToStr(static_cast<int64_t>(Content.Fields.size())) + " fields");
    for (size_t I = 0; I < Values.size(); ++I) {
      try {
        Values[I] = FieldValueOf(Content.Fields[I].DataType, Values[I]);
      } catch (const Exception& E) {
        Malformed("record " + IntToStr(RecordNumber) + ", field " + Content.Fields[I].Name + ": " + E.Message());
      }
    }
    Content.Records.push_back(std::move(Values));
  }
  return Content;
}
