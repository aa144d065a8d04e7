#include "app/message_table.h"

namespace corvisant {
namespace {

struct Message {
  int id;
  const char* text;
};

// The same list that the resource script's string table is made from.
constexpr Message kMessages[] = {
#define CORVISANT_MESSAGE(id, text) {id, text},
#include "app/resources/message_texts.inc"
#undef CORVISANT_MESSAGE
};

}  // namespace

const char* MessageText(int id) {
  for (const Message& message : kMessages) {
    if (message.id == id) return message.text;
  }
  return nullptr;
}

}  // namespace corvisant
