// The warning's texts and its place under the repair texts.
#include "screens/repair_warning.h"

#include <array>
#include <cstdlib>

namespace {

constexpr int kInset = 30;

// By catalogue index. The two Chinese texts break between their sentences, since a
// line without blanks is not wrapped.
constexpr std::array<const char16_t*, kRepairWarningLanguages> kWarnings = {
    u"Warnung: Die nächste Taste startet intensives Flackern. Wenn flackerndes Licht Ihnen "
    u"schaden kann (fotosensible Epilepsie), schauen Sie nicht auf den Bildschirm.",
    u"Warning: the next key starts intense flashing. If flashing light can affect you "
    u"(photosensitive epilepsy), do not look at the screen.",
    u"Attenzione: il prossimo tasto avvia un lampeggiamento intenso. Se la luce "
    u"lampeggiante può farti male (epilessia fotosensibile), non guardare lo schermo.",
    u"Attention : la prochaine touche lance un clignotement intense. Si la lumière "
    u"clignotante peut vous affecter (épilepsie photosensible), ne regardez pas l'écran.",
    u"Внимание: следующая клавиша запускает интенсивное мигание. Если мигающий свет может "
    u"вам навредить (фоточувствительная эпилепсия), не смотрите на экран.",
    u"คำเตือน: ปุ่มถัดไปจะเริ่มการกะพริบอย่างรุนแรง หากแสงกะพริบอาจส่งผลต่อคุณ "
    u"(โรคลมชักที่ไวต่อแสง) อย่ามองหน้าจอ",
    u"Uyarı: Sonraki tuş yoğun yanıp sönmeyi başlatır. Yanıp sönen ışık sizi "
    u"etkileyebiliyorsa (ışığa duyarlı epilepsi), ekrana bakmayın.",
    u"Opozorilo: naslednja tipka sproži močno utripanje. Če lahko utripajoča svetloba "
    u"vpliva na vas (fotosenzitivna epilepsija), ne glejte zaslona.",
    u"Figyelem: a következő billentyű erős villogást indít. Ha a villogó fény hathat Önre "
    u"(fényérzékeny epilepszia), ne nézzen a képernyőre.",
    u"Upozornění: další klávesa spustí intenzivní blikání. Pokud na vás může blikající "
    u"světlo působit (fotosenzitivní epilepsie), nedívejte se na obrazovku.",
    u"Ostrzeżenie: następny klawisz uruchamia intensywne miganie. Jeśli migające światło "
    u"może na Ciebie działać (padaczka fotogenna), nie patrz na ekran.",
    u"Varning: nästa tangent startar intensivt blinkande. Om blinkande ljus kan påverka "
    u"dig (fotosensitiv epilepsi), titta inte på skärmen.",
    u"Advertencia: la siguiente tecla inicia un parpadeo intenso. Si la luz intermitente "
    u"puede afectarle (epilepsia fotosensible), no mire la pantalla.",
    u"Aviso: a próxima tecla inicia um piscar intenso. Se luzes piscantes podem afetar "
    u"você (epilepsia fotossensível), não olhe para a tela.",
    u"Peringatan: tombol berikutnya memulai kedipan yang intens. Jika cahaya berkedip "
    u"dapat memengaruhi Anda (epilepsi fotosensitif), jangan melihat layar.",
    u"警告：下一個按鍵將開始強烈閃爍。\n如果閃光可能影響您（光敏性癲癇），請勿注視螢幕。",
    u"警告：下一个按键将开始强烈闪烁。\n如果闪光可能影响您（光敏性癫痫），请勿注视屏幕。",
    u"Atenție: următoarea tastă pornește o pâlpâire intensă. Dacă lumina intermitentă vă "
    u"poate afecta (epilepsie fotosensibilă), nu priviți ecranul.",
    u"Προειδοποίηση: το επόμενο πλήκτρο ξεκινά έντονο αναβόσβημα. Αν το φως που "
    u"αναβοσβήνει μπορεί να σας επηρεάσει (φωτοευαίσθητη επιληψία), μην κοιτάτε την οθόνη.",
    u"Avvertenza: il tasto successivo avvia un lampeggiamento intenso. Se la luce "
    u"lampeggiante può avere effetti su di Lei (epilessia fotosensibile), non guardi lo "
    u"schermo.",
    u"هشدار: کلید بعدی چشمک‌زدن شدید را آغاز می‌کند. "
    u"اگر نور چشمک‌زن ممکن است بر شما اثر بگذارد "
    u"(صرع حساس به نور)، به صفحه نگاه نکنید.",
    u"Waarschuwing: de volgende toets start hevig knipperen. Als knipperend licht u kan "
    u"beïnvloeden (fotosensitieve epilepsie), kijk dan niet naar het scherm.",
    u"Advarsel: den næste tast starter kraftig blinken. Hvis blinkende lys kan påvirke dig "
    u"(fotosensitiv epilepsi), så se ikke på skærmen.",
    u"경고: 다음 키를 누르면 강한 깜박임이 시작됩니다. 깜박이는 빛에 영향을 받을 수 "
    u"있다면(광과민성 뇌전증) 화면을 보지 마십시오.",
};

constexpr int kEnglish = 1;

} // namespace

Text RepairWarningText(int languageIndex, bool translationLoaded) {
    const bool own =
        !translationLoaded && languageIndex >= 0 && languageIndex < kRepairWarningLanguages;
    return kWarnings[static_cast<std::size_t>(own ? languageIndex : kEnglish)];
}

TextBox RepairWarningBox(const TextBox& client, int textsBottom, int fontHeight) noexcept {
    // The white copy lies an eighth of the font height above its shadow at most, so
    // half a line keeps it clear of the texts' last shadows.
    TextBox box = client;
    box.left += kInset;
    box.right -= kInset;
    box.top = textsBottom + std::abs(fontHeight) / 2;
    return box;
}

bool RepairWarningFits(const TextBox& client, const TextBox& drawn) noexcept {
    return drawn.left >= client.left && drawn.right <= client.right &&
           drawn.bottom <= client.bottom - kInset;
}
