#pragma once
// The game's 123 named images, fonts and sounds: an id each, and a global of
// the id's name that holds the object once its group's extraction ran.

#include "game/ui/resource_id_list.h"

#include <string>

namespace Kavo {
class Font;
class Image;
class ResourceManager;
} // namespace Kavo

namespace Game {

#define GAME_RESOURCE_TYPE_IMAGE Kavo::Image*
#define GAME_RESOURCE_TYPE_FONT Kavo::Font*
#define GAME_RESOURCE_TYPE_SOUND int

enum ResourceId {
#define GAME_RESOURCE_ID(kind, name, group) name##_ID,
    GAME_RESOURCE_LIST(GAME_RESOURCE_ID)
#undef GAME_RESOURCE_ID
        RESOURCE_ID_MAX
};

enum class ResourceKind { None, Image, Font, Sound };

#define GAME_RESOURCE_GLOBAL(kind, name, group) extern GAME_RESOURCE_TYPE_##kind name;
GAME_RESOURCE_LIST(GAME_RESOURCE_GLOBAL)
#undef GAME_RESOURCE_GLOBAL

// The address of each id's global, in id order.
extern void* const gResourceAddresses[RESOURCE_ID_MAX];

// The id's name; "" for an id outside 0..122.
std::string GetStringIdById(int id);
// The id of exactly that name (case matters), or RESOURCE_ID_MAX.
int GetIdByStringId(const std::string& name);
ResourceKind GetResourceKind(int id);

// The id's global when the id is of that kind; null (or -1 for sounds) for
// any other id, so a font id never comes back as an image.
Kavo::Image* GetImageResourceById(int id);
Kavo::Font* GetFontResourceById(int id);
int GetSoundResourceById(int id);
// The id's global as an untyped pointer (images and fonts; null for sounds
// and for ids outside 0..122).
void* GetResourceById(int id);

// Bind every id of the group from the loaded catalogue. The first name the
// catalogue lacks ends the extraction with false; ids bound before it keep
// their new values.
bool ExtractInitResources(Kavo::ResourceManager& manager);
bool ExtractTitleScreenResources(Kavo::ResourceManager& manager);
bool ExtractBonusesResources(Kavo::ResourceManager& manager);
bool ExtractGameResources(Kavo::ResourceManager& manager);
// Unbind the ids of a group whose resources are deleted, or every id when
// the resource manager goes: the ids are process-wide and would otherwise
// point a later reader (a next application in the same process, a layout
// built from an id) at freed resources.
void ClearGroupResources(const char* group);
void ClearAllResources();

} // namespace Game
