#include "search/character_manager.h"

namespace gryvel {

TCharacterManager::TCharacterManager(TManagerRole role) : FRole(role) {
  for (int x = 0; x < 256; ++x) {
    FLetterMap[x] = static_cast<std::uint8_t>(x);
    FFoldMap[x] = Lower(static_cast<std::uint8_t>(x));
  }
  UpdateMatchMap();
  FillCollationMap();
}

TCharacterManager::~TCharacterManager() {
  if (FRole == TManagerRole::Search && &MatchMap() == &CurrentMap()) SetMatchMap(nullptr);
}

void TCharacterManager::MapString(std::string& s) const {
  for (char& c : s) c = static_cast<char>(FLetterMap[static_cast<std::uint8_t>(c)]);
}

void TCharacterManager::SetCaseSensitive(bool value) {
  FCaseSensitive = value;
  UpdateMatchMap();
}

TEqualLetters TCharacterManager::GetEqualLetters(int index) const {
  return ValidIndex(index) ? FEqualLetters[index] : TEqualLetters{};
}

bool TCharacterManager::GetEqualLettersActive(int index) const {
  return ValidIndex(index) && FEqualLetters[index].Active;
}

void TCharacterManager::SetEqualLettersActive(int index, bool active) {
  if (!ValidIndex(index)) return;
  FEqualLetters[index].Active = active;
  if (active)
    ApplyGroup(FEqualLetters[index]);
  else
    RemoveGroup(FEqualLetters[index]);
}

int TCharacterManager::AddEqualLetters(const TEqualLetters& group) {
  FEqualLetters.push_back(group);
  const int index = EqualLettersCount() - 1;
  SetEqualLettersActive(index, group.Active);
  return index;
}

void TCharacterManager::SetEqualLetters(int index, const TEqualLetters& group) {
  if (!ValidIndex(index)) return;
  if (FEqualLetters[index].Active) RemoveGroup(FEqualLetters[index]);
  FEqualLetters[index] = group;
  if (group.Active) ApplyGroup(group);
}

void TCharacterManager::DeleteEqualLetters(int index) {
  if (!ValidIndex(index)) return;
  RemoveGroup(FEqualLetters[index]);
  FEqualLetters.erase(FEqualLetters.begin() + index);
}

void TCharacterManager::ClearEqualLetters() {
  for (int n = EqualLettersCount(); n > 0; --n) DeleteEqualLetters(0);
}

void TCharacterManager::AssignEqualLetters(const TCharacterManager& source) {
  if (&source == this) return;
  ClearEqualLetters();
  for (const TEqualLetters& group : source.FEqualLetters) AddEqualLetters(group);
}

void TCharacterManager::ApplyGroup(const TEqualLetters& group) {
  const auto e = static_cast<std::uint8_t>(group.Equivalent);
  for (char c : group.Letters) {
    const auto x = static_cast<std::uint8_t>(c);
    FLetterMap[Upper(x)] = Upper(e);
    FLetterMap[Lower(x)] = Lower(e);
    FFoldMap[Upper(x)] = Lower(e);
    FFoldMap[Lower(x)] = Lower(e);
  }
  UpdateMatchMap();
}

// Resets the group's letters even when another active group also holds them.
void TCharacterManager::RemoveGroup(const TEqualLetters& group) {
  for (char c : group.Letters) {
    const auto x = static_cast<std::uint8_t>(c);
    FLetterMap[Upper(x)] = Upper(x);
    FLetterMap[Lower(x)] = Lower(x);
    FFoldMap[Upper(x)] = Lower(x);
    FFoldMap[Lower(x)] = Lower(x);
  }
  UpdateMatchMap();
}

void TCharacterManager::UpdateMatchMap() const {
  if (FRole == TManagerRole::Search) SetMatchMap(&CurrentMap());
}

}  // namespace gryvel
