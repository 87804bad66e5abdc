#pragma once
// The sample content's text files; the fuzz seeds start from them too. The
// font descriptors are made with the glyph sheet (sample_font.h).

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

} // namespace Kavo::SampleContent
