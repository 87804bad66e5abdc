#pragma once
// The sample content's text files; the fuzz seeds start from them too.

namespace Kavo::SampleContent {

inline constexpr const char* kManifest = R"(<?xml version="1.0"?>
<!-- Sample resources: one picture in every format the loaders read. -->
<ResourceManifest>
  <Resources id="Init">
    <SetDefaults path="images/" idprefix="IMAGE_"/>
    <Image id="BACKGROUND" path="background"/>
    <Image id="LOGO" path="logo.j2k"/>
  </Resources>
  <Resources id="Game">
    <SetDefaults path="images/" idprefix="IMAGE_"/>
    <Image id="ITEMS" path="items" cols="6"/>
    <Image id="TILE" path="tile.tga"/>
    <Image id="SELECTION" path="selection.gif" anim="loop" framedelay="10"/>
    <Image id="GLOW" path="glow" alphacolor="FFE0A0"/>
  </Resources>
</ResourceManifest>
)";

inline constexpr const char* kFontDescriptor = R"(// Sample bitmap font: one layer over a sheet of glyphs.
Define CharList ("a" "b" "c" "d");
Define WidthList (10 10 10 10);
Define RectList ((0 0 10 16) (10 0 10 16) (20 0 10 16) (30 0 10 16));
CreateLayer Main;
LayerSetImage Main "images/items.png";
LayerSetCharWidths Main CharList WidthList;
LayerSetImageMap Main CharList RectList;
LayerSetAscent Main 12;
LayerSetLineSpacing Main 16;
)";

} // namespace Kavo::SampleContent
