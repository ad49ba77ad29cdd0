#include "release/download_list.h"

#include <string_view>

#include "release/links.h"
#include "ui/events.h"

namespace tessavel {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A language-pack link: https://<vendor>/dujour/exe/<date><piece><version>.msi
constexpr std::string_view kLanguagePackScheme = "https://";
constexpr std::string_view kLanguagePackExtension = ".msi";

struct LanguagePack {
  Control checkBox;
  std::string_view pathPiece;
};

// In the order in which their lines are written.
constexpr LanguagePack kLanguagePacks[] = {
    {Control::选择框_cs_cz, "/rhino_cs-cz_languagepack_"},
    {Control::选择框_de_de, "/rhino_de-de_languagepack_"},
    {Control::选择框_en_us, "/rhino_en-us_languagepack_"},
    {Control::选择框_es_es, "/rhino_es-es_languagepack_"},
    {Control::选择框_fr_fr, "/rhino_fr-fr_languagepack_"},
    {Control::选择框_ja_jp, "/rhino_ja-jp_languagepack_"},
    {Control::选择框_ko_kr, "/rhino_ko-kr_languagepack_"},
    {Control::选择框_pl_pl, "/rhino_pl-pl_languagepack_"},
    {Control::选择框_pt_pt, "/rhino_pt-pt_languagepack_"},
    {Control::选择框_ru_ru, "/rhino_ru-ru_languagepack_"},
    {Control::选择框_zh_cn, "/rhino_zh-cn_languagepack_"},
    {Control::选择框_zh_tw, "/rhino_zh-tw_languagepack_"},
};

struct RuntimeInstaller {
  std::string_view scheme;
  std::string_view host;
  std::string_view path;  // letter case counts: row 2 really ends in .EXE
};

// The five runtime installers that 选择框_运行库 adds, all or none, in this order.
constexpr RuntimeInstaller kRuntimeInstallers[] = {
    {"http://", MicrosoftDownloadHost,
     "/download/b/a/4/ba4a7e71-2906-4b2d-a0e1-80cf16844f5f/dotnetfx45_full_x86_x64.exe"},
    {"https://", MicrosoftDownloadHost,
     "/download/8/B/4/8B42259F-5D70-43F4-AC2E-4B208FD8D66A/vcredist_x64.EXE"},
    {"https://", MicrosoftDownloadHost,
     "/download/1/6/5/165255E7-1014-4D0A-B094-B6A430A6BFFC/vcredist_x64.exe"},
    {"https://", MicrosoftDownloadHost,
     "/download/2/E/6/2E61CFA4-993B-4DD4-91DA-3737CD5CD6E3/vcredist_x64.exe"},
    {"http://", VendorDownloadHost, "/rhino/6/redistributable/VC_redist.x64-14.12.25810.exe"},
};

}  // namespace

Text DownloadList(ControlAccess& window) {
  Text list;
  if (window.ReadChecked(Control::选择框_安装主程序)) {
    // The boxes are taken as they show now: the date is not recomputed from
    // the version and the language is not checked.
    const Text date = window.ReadText(Control::编辑框_更新日期);
    const Text language = window.ReadText(Control::组合框1);
    const Text version = window.ReadText(Control::编辑框_版本号);
    list = TextConcat(list, ComposeInstallerLink(date, language, version), kLineEnd);
  }
  for (const LanguagePack& pack : kLanguagePacks) {
    if (!window.ReadChecked(pack.checkBox)) continue;
    const Text date = window.ReadText(Control::编辑框_更新日期);
    const Text version = window.ReadText(Control::编辑框_版本号);
    list = TextConcat(list, kLanguagePackScheme, VendorDownloadHost, VendorInstallerFolder, date,
                      pack.pathPiece, version, kLanguagePackExtension, kLineEnd);
  }
  if (window.ReadChecked(Control::选择框_运行库)) {
    for (const RuntimeInstaller& runtime : kRuntimeInstallers) {
      list = TextConcat(list, runtime.scheme, runtime.host, runtime.path, kLineEnd);
    }
  }
  return list;
}

void BuildDownloadList(ControlAccess& window) { window.PutOnClipboard(DownloadList(window)); }

}  // namespace tessavel
