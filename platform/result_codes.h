#pragma once
// The numeric result codes of the display and sound interfaces, with the
// values their public headers give them. The platform layer returns these
// very values, so that diagnostics print the documented names and numbers.

#include <cstdint>

namespace platform {

using HResult = std::int32_t;

constexpr HResult MakeHResult(std::uint32_t severity, std::uint32_t facility, std::uint32_t code) {
    return static_cast<HResult>((severity << 31) | (facility << 16) | code);
}

constexpr bool Succeeded(HResult result) {
    return result >= 0;
}
constexpr bool Failed(HResult result) {
    return result < 0;
}

inline constexpr std::uint32_t kFacilityDirectDraw = 0x876; // DirectDraw and Direct3D
inline constexpr std::uint32_t kFacilityDirectSound = 0x878;

constexpr HResult MakeDDHResult(std::uint32_t code) {
    return MakeHResult(1, kFacilityDirectDraw, code);
}
constexpr HResult MakeDSHResult(std::uint32_t code) {
    return MakeHResult(1, kFacilityDirectSound, code);
}

// ---- General COM results -----------------------------------------------------

inline constexpr HResult S_OK = 0;
inline constexpr HResult S_FALSE = 1;
inline constexpr HResult E_NOTIMPL = static_cast<HResult>(0x80004001u);
inline constexpr HResult E_NOINTERFACE = static_cast<HResult>(0x80004002u);
inline constexpr HResult E_POINTER = static_cast<HResult>(0x80004003u);
inline constexpr HResult E_FAIL = static_cast<HResult>(0x80004005u);
inline constexpr HResult CLASS_E_NOAGGREGATION = static_cast<HResult>(0x80040110u);
inline constexpr HResult CO_E_NOTINITIALIZED = static_cast<HResult>(0x800401F0u);
inline constexpr HResult E_ACCESSDENIED = static_cast<HResult>(0x80070005u);
inline constexpr HResult E_OUTOFMEMORY = static_cast<HResult>(0x8007000Eu);
inline constexpr HResult E_INVALIDARG = static_cast<HResult>(0x80070057u);

// ---- DirectDraw ------------------------------------------------------------------

inline constexpr HResult DD_OK = S_OK;
inline constexpr HResult DDERR_GENERIC = E_FAIL;
inline constexpr HResult DDERR_INVALIDPARAMS = E_INVALIDARG;
inline constexpr HResult DDERR_NOTINITIALIZED = CO_E_NOTINITIALIZED;
inline constexpr HResult DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HResult DDERR_UNSUPPORTED = E_NOTIMPL;
inline constexpr HResult DDERR_ALREADYINITIALIZED = MakeDDHResult(5);
inline constexpr HResult DDERR_CANNOTATTACHSURFACE = MakeDDHResult(10);
inline constexpr HResult DDERR_CANNOTDETACHSURFACE = MakeDDHResult(20);
inline constexpr HResult DDERR_CURRENTLYNOTAVAIL = MakeDDHResult(40);
inline constexpr HResult DDERR_EXCEPTION = MakeDDHResult(55);
inline constexpr HResult DDERR_HEIGHTALIGN = MakeDDHResult(90);
inline constexpr HResult DDERR_INCOMPATIBLEPRIMARY = MakeDDHResult(95);
inline constexpr HResult DDERR_INVALIDCAPS = MakeDDHResult(100);
inline constexpr HResult DDERR_INVALIDCLIPLIST = MakeDDHResult(110);
inline constexpr HResult DDERR_INVALIDMODE = MakeDDHResult(120);
inline constexpr HResult DDERR_INVALIDOBJECT = MakeDDHResult(130);
inline constexpr HResult DDERR_INVALIDPIXELFORMAT = MakeDDHResult(145);
inline constexpr HResult DDERR_INVALIDRECT = MakeDDHResult(150);
inline constexpr HResult DDERR_LOCKEDSURFACES = MakeDDHResult(160);
inline constexpr HResult DDERR_NO3D = MakeDDHResult(170);
inline constexpr HResult DDERR_NOALPHAHW = MakeDDHResult(180);
inline constexpr HResult DDERR_NOSTEREOHARDWARE = MakeDDHResult(181);
inline constexpr HResult DDERR_NOSURFACELEFT = MakeDDHResult(182);
inline constexpr HResult DDERR_NOCLIPLIST = MakeDDHResult(205);
inline constexpr HResult DDERR_NOCOLORCONVHW = MakeDDHResult(210);
inline constexpr HResult DDERR_NOCOOPERATIVELEVELSET = MakeDDHResult(212);
inline constexpr HResult DDERR_NOCOLORKEY = MakeDDHResult(215);
inline constexpr HResult DDERR_NOCOLORKEYHW = MakeDDHResult(220);
inline constexpr HResult DDERR_NODIRECTDRAWSUPPORT = MakeDDHResult(222);
inline constexpr HResult DDERR_NOEXCLUSIVEMODE = MakeDDHResult(225);
inline constexpr HResult DDERR_NOFLIPHW = MakeDDHResult(230);
inline constexpr HResult DDERR_NOGDI = MakeDDHResult(240);
inline constexpr HResult DDERR_NOMIRRORHW = MakeDDHResult(250);
inline constexpr HResult DDERR_NOTFOUND = MakeDDHResult(255);
inline constexpr HResult DDERR_NOOVERLAYHW = MakeDDHResult(260);
inline constexpr HResult DDERR_OVERLAPPINGRECTS = MakeDDHResult(270);
inline constexpr HResult DDERR_NORASTEROPHW = MakeDDHResult(280);
inline constexpr HResult DDERR_NOROTATIONHW = MakeDDHResult(290);
inline constexpr HResult DDERR_NOSTRETCHHW = MakeDDHResult(310);
inline constexpr HResult DDERR_NOT4BITCOLOR = MakeDDHResult(316);
inline constexpr HResult DDERR_NOT4BITCOLORINDEX = MakeDDHResult(317);
inline constexpr HResult DDERR_NOT8BITCOLOR = MakeDDHResult(320);
inline constexpr HResult DDERR_NOTEXTUREHW = MakeDDHResult(330);
inline constexpr HResult DDERR_NOVSYNCHW = MakeDDHResult(335);
inline constexpr HResult DDERR_NOZBUFFERHW = MakeDDHResult(340);
inline constexpr HResult DDERR_NOZOVERLAYHW = MakeDDHResult(350);
inline constexpr HResult DDERR_OUTOFCAPS = MakeDDHResult(360);
inline constexpr HResult DDERR_OUTOFVIDEOMEMORY = MakeDDHResult(380);
inline constexpr HResult DDERR_OVERLAYCANTCLIP = MakeDDHResult(382);
inline constexpr HResult DDERR_OVERLAYCOLORKEYONLYONEACTIVE = MakeDDHResult(384);
inline constexpr HResult DDERR_PALETTEBUSY = MakeDDHResult(387);
inline constexpr HResult DDERR_COLORKEYNOTSET = MakeDDHResult(400);
inline constexpr HResult DDERR_SURFACEALREADYATTACHED = MakeDDHResult(410);
inline constexpr HResult DDERR_SURFACEALREADYDEPENDENT = MakeDDHResult(420);
inline constexpr HResult DDERR_SURFACEBUSY = MakeDDHResult(430);
inline constexpr HResult DDERR_CANTLOCKSURFACE = MakeDDHResult(435);
inline constexpr HResult DDERR_SURFACEISOBSCURED = MakeDDHResult(440);
inline constexpr HResult DDERR_SURFACELOST = MakeDDHResult(450);
inline constexpr HResult DDERR_SURFACENOTATTACHED = MakeDDHResult(460);
inline constexpr HResult DDERR_TOOBIGHEIGHT = MakeDDHResult(470);
inline constexpr HResult DDERR_TOOBIGSIZE = MakeDDHResult(480);
inline constexpr HResult DDERR_TOOBIGWIDTH = MakeDDHResult(490);
inline constexpr HResult DDERR_UNSUPPORTEDFORMAT = MakeDDHResult(510);
inline constexpr HResult DDERR_UNSUPPORTEDMASK = MakeDDHResult(520);
inline constexpr HResult DDERR_INVALIDSTREAM = MakeDDHResult(521);
inline constexpr HResult DDERR_VERTICALBLANKINPROGRESS = MakeDDHResult(537);
inline constexpr HResult DDERR_WASSTILLDRAWING = MakeDDHResult(540);
inline constexpr HResult DDERR_XALIGN = MakeDDHResult(560);
inline constexpr HResult DDERR_INVALIDDIRECTDRAWGUID = MakeDDHResult(561);
inline constexpr HResult DDERR_DIRECTDRAWALREADYCREATED = MakeDDHResult(562);
inline constexpr HResult DDERR_NODIRECTDRAWHW = MakeDDHResult(563);
inline constexpr HResult DDERR_PRIMARYSURFACEALREADYEXISTS = MakeDDHResult(564);
inline constexpr HResult DDERR_NOEMULATION = MakeDDHResult(565);
inline constexpr HResult DDERR_REGIONTOOSMALL = MakeDDHResult(566);
inline constexpr HResult DDERR_CLIPPERISUSINGHWND = MakeDDHResult(567);
inline constexpr HResult DDERR_NOCLIPPERATTACHED = MakeDDHResult(568);
inline constexpr HResult DDERR_NOHWND = MakeDDHResult(569);
inline constexpr HResult DDERR_HWNDSUBCLASSED = MakeDDHResult(570);
inline constexpr HResult DDERR_HWNDALREADYSET = MakeDDHResult(571);
inline constexpr HResult DDERR_NOPALETTEATTACHED = MakeDDHResult(572);
inline constexpr HResult DDERR_NOPALETTEHW = MakeDDHResult(573);
inline constexpr HResult DDERR_BLTFASTCANTCLIP = MakeDDHResult(574);
inline constexpr HResult DDERR_NOBLTHW = MakeDDHResult(575);
inline constexpr HResult DDERR_NODDROPSHW = MakeDDHResult(576);
inline constexpr HResult DDERR_OVERLAYNOTVISIBLE = MakeDDHResult(577);
inline constexpr HResult DDERR_INVALIDPOSITION = MakeDDHResult(579);
inline constexpr HResult DDERR_NOTAOVERLAYSURFACE = MakeDDHResult(580);
inline constexpr HResult DDERR_EXCLUSIVEMODEALREADYSET = MakeDDHResult(581);
inline constexpr HResult DDERR_NOTFLIPPABLE = MakeDDHResult(582);
inline constexpr HResult DDERR_CANTDUPLICATE = MakeDDHResult(583);
inline constexpr HResult DDERR_NOTLOCKED = MakeDDHResult(584);
inline constexpr HResult DDERR_CANTCREATEDC = MakeDDHResult(585);
inline constexpr HResult DDERR_NODC = MakeDDHResult(586);
inline constexpr HResult DDERR_WRONGMODE = MakeDDHResult(587);
inline constexpr HResult DDERR_IMPLICITLYCREATED = MakeDDHResult(588);
inline constexpr HResult DDERR_NOTPALETTIZED = MakeDDHResult(589);
inline constexpr HResult DDERR_UNSUPPORTEDMODE = MakeDDHResult(590);
inline constexpr HResult DDERR_NOMIPMAPHW = MakeDDHResult(591);
inline constexpr HResult DDERR_INVALIDSURFACETYPE = MakeDDHResult(592);
inline constexpr HResult DDERR_NOOPTIMIZEHW = MakeDDHResult(600);
inline constexpr HResult DDERR_NOTLOADED = MakeDDHResult(601);
inline constexpr HResult DDERR_NOFOCUSWINDOW = MakeDDHResult(602);
inline constexpr HResult DDERR_DCALREADYCREATED = MakeDDHResult(620);
inline constexpr HResult DDERR_NONONLOCALVIDMEM = MakeDDHResult(630);
inline constexpr HResult DDERR_CANTPAGELOCK = MakeDDHResult(640);
inline constexpr HResult DDERR_CANTPAGEUNLOCK = MakeDDHResult(660);
inline constexpr HResult DDERR_NOTPAGELOCKED = MakeDDHResult(680);
inline constexpr HResult DDERR_MOREDATA = MakeDDHResult(690);
inline constexpr HResult DDERR_EXPIRED = MakeDDHResult(691);
inline constexpr HResult DDERR_VIDEONOTACTIVE = MakeDDHResult(695);
inline constexpr HResult DDERR_DEVICEDOESNTOWNSURFACE = MakeDDHResult(699);

// ---- Direct3D 7 (shares the DirectDraw facility) -------------------------------

inline constexpr HResult D3D_OK = S_OK;
inline constexpr HResult D3DERR_BADMAJORVERSION = MakeDDHResult(700);
inline constexpr HResult D3DERR_BADMINORVERSION = MakeDDHResult(701);
inline constexpr HResult D3DERR_INVALID_DEVICE = MakeDDHResult(705);
inline constexpr HResult D3DERR_INITFAILED = MakeDDHResult(706);
inline constexpr HResult D3DERR_DEVICEAGGREGATED = MakeDDHResult(707);
inline constexpr HResult D3DERR_TEXTURE_NO_SUPPORT = MakeDDHResult(720);
inline constexpr HResult D3DERR_TEXTURE_CREATE_FAILED = MakeDDHResult(721);
inline constexpr HResult D3DERR_TEXTURE_DESTROY_FAILED = MakeDDHResult(722);
inline constexpr HResult D3DERR_TEXTURE_LOCK_FAILED = MakeDDHResult(723);
inline constexpr HResult D3DERR_TEXTURE_UNLOCK_FAILED = MakeDDHResult(724);
inline constexpr HResult D3DERR_TEXTURE_LOAD_FAILED = MakeDDHResult(725);
inline constexpr HResult D3DERR_TEXTURE_SWAP_FAILED = MakeDDHResult(726);
inline constexpr HResult D3DERR_TEXTURE_LOCKED = MakeDDHResult(727);
inline constexpr HResult D3DERR_TEXTURE_NOT_LOCKED = MakeDDHResult(728);
inline constexpr HResult D3DERR_TEXTURE_GETSURF_FAILED = MakeDDHResult(729);
inline constexpr HResult D3DERR_MATRIX_CREATE_FAILED = MakeDDHResult(730);
inline constexpr HResult D3DERR_MATRIX_DESTROY_FAILED = MakeDDHResult(731);
inline constexpr HResult D3DERR_MATRIX_SETDATA_FAILED = MakeDDHResult(732);
inline constexpr HResult D3DERR_MATRIX_GETDATA_FAILED = MakeDDHResult(733);
inline constexpr HResult D3DERR_SETVIEWPORTDATA_FAILED = MakeDDHResult(734);
inline constexpr HResult D3DERR_INVALIDCURRENTVIEWPORT = MakeDDHResult(735);
inline constexpr HResult D3DERR_INVALIDPRIMITIVETYPE = MakeDDHResult(736);
inline constexpr HResult D3DERR_INVALIDVERTEXTYPE = MakeDDHResult(737);
inline constexpr HResult D3DERR_TEXTURE_BADSIZE = MakeDDHResult(738);
inline constexpr HResult D3DERR_INVALIDRAMPTEXTURE = MakeDDHResult(739);
inline constexpr HResult D3DERR_MATERIAL_CREATE_FAILED = MakeDDHResult(740);
inline constexpr HResult D3DERR_MATERIAL_DESTROY_FAILED = MakeDDHResult(741);
inline constexpr HResult D3DERR_MATERIAL_SETDATA_FAILED = MakeDDHResult(742);
inline constexpr HResult D3DERR_MATERIAL_GETDATA_FAILED = MakeDDHResult(743);
inline constexpr HResult D3DERR_INVALIDPALETTE = MakeDDHResult(744);
inline constexpr HResult D3DERR_ZBUFF_NEEDS_SYSTEMMEMORY = MakeDDHResult(745);
inline constexpr HResult D3DERR_ZBUFF_NEEDS_VIDEOMEMORY = MakeDDHResult(746);
inline constexpr HResult D3DERR_SURFACENOTINVIDMEM = MakeDDHResult(747);
inline constexpr HResult D3DERR_LIGHT_SET_FAILED = MakeDDHResult(750);
inline constexpr HResult D3DERR_LIGHTHASVIEWPORT = MakeDDHResult(751);
inline constexpr HResult D3DERR_LIGHTNOTINTHISVIEWPORT = MakeDDHResult(752);
inline constexpr HResult D3DERR_SCENE_IN_SCENE = MakeDDHResult(760);
inline constexpr HResult D3DERR_SCENE_NOT_IN_SCENE = MakeDDHResult(761);
inline constexpr HResult D3DERR_SCENE_BEGIN_FAILED = MakeDDHResult(762);
inline constexpr HResult D3DERR_SCENE_END_FAILED = MakeDDHResult(763);
inline constexpr HResult D3DERR_INBEGIN = MakeDDHResult(770);
inline constexpr HResult D3DERR_NOTINBEGIN = MakeDDHResult(771);
inline constexpr HResult D3DERR_NOVIEWPORTS = MakeDDHResult(772);
inline constexpr HResult D3DERR_VIEWPORTDATANOTSET = MakeDDHResult(773);
inline constexpr HResult D3DERR_VIEWPORTHASNODEVICE = MakeDDHResult(774);
inline constexpr HResult D3DERR_NOCURRENTVIEWPORT = MakeDDHResult(775);
inline constexpr HResult D3DERR_INVALIDVERTEXFORMAT = MakeDDHResult(2048);
inline constexpr HResult D3DERR_COLORKEYATTACHED = MakeDDHResult(2050);
inline constexpr HResult D3DERR_VERTEXBUFFEROPTIMIZED = MakeDDHResult(2060);
inline constexpr HResult D3DERR_VBUF_CREATE_FAILED = MakeDDHResult(2061);
inline constexpr HResult D3DERR_VERTEXBUFFERLOCKED = MakeDDHResult(2062);
inline constexpr HResult D3DERR_VERTEXBUFFERUNLOCKFAILED = MakeDDHResult(2063);
inline constexpr HResult D3DERR_ZBUFFER_NOTPRESENT = MakeDDHResult(2070);
inline constexpr HResult D3DERR_STENCILBUFFER_NOTPRESENT = MakeDDHResult(2071);
inline constexpr HResult D3DERR_WRONGTEXTUREFORMAT = MakeDDHResult(2072);
inline constexpr HResult D3DERR_UNSUPPORTEDCOLOROPERATION = MakeDDHResult(2073);
inline constexpr HResult D3DERR_UNSUPPORTEDCOLORARG = MakeDDHResult(2074);
inline constexpr HResult D3DERR_UNSUPPORTEDALPHAOPERATION = MakeDDHResult(2075);
inline constexpr HResult D3DERR_UNSUPPORTEDALPHAARG = MakeDDHResult(2076);
inline constexpr HResult D3DERR_TOOMANYOPERATIONS = MakeDDHResult(2077);
inline constexpr HResult D3DERR_CONFLICTINGTEXTUREFILTER = MakeDDHResult(2078);
inline constexpr HResult D3DERR_UNSUPPORTEDFACTORVALUE = MakeDDHResult(2079);
inline constexpr HResult D3DERR_CONFLICTINGRENDERSTATE = MakeDDHResult(2081);
inline constexpr HResult D3DERR_UNSUPPORTEDTEXTUREFILTER = MakeDDHResult(2082);
inline constexpr HResult D3DERR_TOOMANYPRIMITIVES = MakeDDHResult(2083);
inline constexpr HResult D3DERR_INVALIDMATRIX = MakeDDHResult(2084);
inline constexpr HResult D3DERR_CONFLICTINGTEXTUREPALETTE = MakeDDHResult(2086);
inline constexpr HResult D3DERR_INVALIDSTATEBLOCK = MakeDDHResult(2100);
inline constexpr HResult D3DERR_INBEGINSTATEBLOCK = MakeDDHResult(2101);
inline constexpr HResult D3DERR_NOTINBEGINSTATEBLOCK = MakeDDHResult(2102);

// ---- DirectSound ------------------------------------------------------------------

inline constexpr HResult DS_OK = S_OK;
inline constexpr HResult DSERR_ACCESSDENIED = E_ACCESSDENIED;
inline constexpr HResult DSERR_GENERIC = E_FAIL;
inline constexpr HResult DSERR_INVALIDPARAM = E_INVALIDARG;
inline constexpr HResult DSERR_NOAGGREGATION = CLASS_E_NOAGGREGATION;
inline constexpr HResult DSERR_NOINTERFACE = E_NOINTERFACE;
inline constexpr HResult DSERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HResult DSERR_UNSUPPORTED = E_NOTIMPL;
inline constexpr HResult DSERR_ALLOCATED = MakeDSHResult(10);
inline constexpr HResult DSERR_CONTROLUNAVAIL = MakeDSHResult(30);
inline constexpr HResult DSERR_INVALIDCALL = MakeDSHResult(50);
inline constexpr HResult DSERR_PRIOLEVELNEEDED = MakeDSHResult(70);
inline constexpr HResult DSERR_BADFORMAT = MakeDSHResult(100);
inline constexpr HResult DSERR_NODRIVER = MakeDSHResult(120);
inline constexpr HResult DSERR_ALREADYINITIALIZED = MakeDSHResult(130);
inline constexpr HResult DSERR_BUFFERLOST = MakeDSHResult(150);
inline constexpr HResult DSERR_OTHERAPPHASPRIO = MakeDSHResult(160);
inline constexpr HResult DSERR_UNINITIALIZED = MakeDSHResult(170);

} // namespace platform
