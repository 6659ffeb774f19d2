// The program's own texts, language by language.
#include "screens/own_texts.h"

#include <array>

namespace {

// By catalogue index. The two Chinese warnings break between their sentences, since a
// line without blanks is not wrapped.
constexpr std::array<OwnTexts, kOwnTextLanguages> kTexts{{
    {// German
     u"Warnung: Die nächste Taste startet intensives Flackern. Wenn flackerndes Licht Ihnen "
     u"schaden kann (fotosensible Epilepsie), schauen Sie nicht auf den Bildschirm.",
     u"Markierte Pixel blinken: %d min \u2013 beliebige Taste beendet"},
    {// English
     u"Warning: the next key starts intense flashing. If flashing light can affect you "
     u"(photosensitive epilepsy), do not look at the screen.",
     u"Marked pixels flashing: %d min \u2013 any key stops"},
    {// Italian
     u"Attenzione: il prossimo tasto avvia un lampeggiamento intenso. Se la luce "
     u"lampeggiante può farti male (epilessia fotosensibile), non guardare lo schermo.",
     u"Pixel segnati lampeggianti: %d min \u2013 un tasto qualsiasi ferma"},
    {// French
     u"Attention : la prochaine touche lance un clignotement intense. Si la lumière "
     u"clignotante peut vous affecter (épilepsie photosensible), ne regardez pas l'écran.",
     u"Pixels marqu\u00E9s clignotants : %d min \u2013 une touche arr\u00EAte"},
    {// Russian
     u"Внимание: следующая клавиша запускает интенсивное мигание. Если мигающий свет может "
     u"вам навредить (фоточувствительная эпилепсия), не смотрите на экран.",
     u"\u041C\u0438\u0433\u0430\u043D\u0438\u0435 \u043E\u0442\u043C\u0435\u0447\u0435\u043D"
     u"\u043D\u044B\u0445 \u043F\u0438\u043A\u0441\u0435\u043B\u0435\u0439: %d \u043C\u0438"
     u"\u043D \u2013 \u043B\u044E\u0431\u0430\u044F \u043A\u043B\u0430\u0432\u0438\u0448"
     u"\u0430 \u043E\u0441\u0442\u0430\u043D\u0430\u0432\u043B\u0438\u0432\u0430\u0435\u0442"},
    {// Thai
     u"คำเตือน: ปุ่มถัดไปจะเริ่มการกะพริบอย่างรุนแรง หากแสงกะพริบอาจส่งผลต่อคุณ "
     u"(โรคลมชักที่ไวต่อแสง) อย่ามองหน้าจอ",
     u"\u0E01\u0E33\u0E25\u0E31\u0E07\u0E01\u0E30\u0E1E\u0E23\u0E34\u0E1A\u0E1E\u0E34\u0E01"
     u"\u0E40\u0E0B\u0E25\u0E17\u0E35\u0E48\u0E17\u0E33\u0E40\u0E04\u0E23\u0E37\u0E48\u0E2D"
     u"\u0E07\u0E2B\u0E21\u0E32\u0E22: %d \u0E19\u0E32\u0E17\u0E35 \u2013 \u0E01\u0E14"
     u"\u0E1B\u0E38\u0E48\u0E21\u0E43\u0E14\u0E01\u0E47\u0E44\u0E14\u0E49\u0E40\u0E1E\u0E37"
     u"\u0E48\u0E2D\u0E2B\u0E22\u0E38\u0E14"},
    {// Turkish
     u"Uyarı: Sonraki tuş yoğun yanıp sönmeyi başlatır. Yanıp sönen ışık sizi "
     u"etkileyebiliyorsa (ışığa duyarlı epilepsi), ekrana bakmayın.",
     u"\u0130\u015Faretli pikseller yan\u0131p s\u00F6n\u00FCyor: %d dk \u2013 herhangi bir "
     u"tu\u015F durdurur"},
    {// Slovenian
     u"Opozorilo: naslednja tipka sproži močno utripanje. Če lahko utripajoča svetloba "
     u"vpliva na vas (fotosenzitivna epilepsija), ne glejte zaslona.",
     u"Utripanje ozna\u010Denih slikovnih pik: %d min \u2013 katera koli tipka ustavi"},
    {// Hungarian
     u"Figyelem: a következő billentyű erős villogást indít. Ha a villogó fény hathat Önre "
     u"(fényérzékeny epilepszia), ne nézzen a képernyőre.",
     u"Megjel\u00F6lt k\u00E9ppontok villognak: %d perc \u2013 b\u00E1rmely billenty\u0171 "
     u"le\u00E1ll\u00EDtja"},
    {// Czech
     u"Upozornění: další klávesa spustí intenzivní blikání. Pokud na vás může blikající "
     u"světlo působit (fotosenzitivní epilepsie), nedívejte se na obrazovku.",
     u"Blik\u00E1n\u00ED ozna\u010Den\u00FDch pixel\u016F: %d min \u2013 libovoln\u00E1 "
     u"kl\u00E1vesa zastav\u00ED"},
    {// Polish
     u"Ostrzeżenie: następny klawisz uruchamia intensywne miganie. Jeśli migające światło "
     u"może na Ciebie działać (padaczka fotogenna), nie patrz na ekran.",
     u"Miganie zaznaczonych pikseli: %d min \u2013 dowolny klawisz zatrzymuje"},
    {// Swedish
     u"Varning: nästa tangent startar intensivt blinkande. Om blinkande ljus kan påverka "
     u"dig (fotosensitiv epilepsi), titta inte på skärmen.",
     u"Markerade pixlar blinkar: %d min \u2013 valfri tangent stoppar"},
    {// Spanish
     u"Advertencia: la siguiente tecla inicia un parpadeo intenso. Si la luz intermitente "
     u"puede afectarle (epilepsia fotosensible), no mire la pantalla.",
     u"P\u00EDxeles marcados parpadeando: %d min \u2013 cualquier tecla detiene"},
    {// Brazil
     u"Aviso: a próxima tecla inicia um piscar intenso. Se luzes piscantes podem afetar "
     u"você (epilepsia fotossensível), não olhe para a tela.",
     u"Pixels marcados piscando: %d min \u2013 qualquer tecla para"},
    {// Indonesian
     u"Peringatan: tombol berikutnya memulai kedipan yang intens. Jika cahaya berkedip "
     u"dapat memengaruhi Anda (epilepsi fotosensitif), jangan melihat layar.",
     u"Piksel bertanda berkedip: %d menit \u2013 tekan tombol apa saja untuk berhenti"},
    {// Traditional Chinese
     u"警告：下一個按鍵將開始強烈閃爍。\n如果閃光可能影響您（光敏性癲癇），請勿注視螢幕。",
     u"\u6A19\u8A18\u50CF\u7D20\u9583\u720D\u4E2D\uFF1A%d \u5206\u9418 \u2013 \u6309\u4EFB"
     u"\u610F\u9375\u505C\u6B62"},
    {// Simplified Chinese
     u"警告：下一个按键将开始强烈闪烁。\n如果闪光可能影响您（光敏性癫痫），请勿注视屏幕。",
     u"\u6807\u8BB0\u50CF\u7D20\u95EA\u70C1\u4E2D\uFF1A%d \u5206\u949F \u2013 \u6309\u4EFB"
     u"\u610F\u952E\u505C\u6B62"},
    {// Romanian
     u"Atenție: următoarea tastă pornește o pâlpâire intensă. Dacă lumina intermitentă vă "
     u"poate afecta (epilepsie fotosensibilă), nu priviți ecranul.",
     u"Pixeli marca\u021Bi clipesc: %d min \u2013 orice tast\u0103 opre\u0219te"},
    {// Greek
     u"Προειδοποίηση: το επόμενο πλήκτρο ξεκινά έντονο αναβόσβημα. Αν το φως που "
     u"αναβοσβήνει μπορεί να σας επηρεάσει (φωτοευαίσθητη επιληψία), μην κοιτάτε την οθόνη.",
     u"\u0391\u03BD\u03B1\u03B2\u03BF\u03C3\u03B2\u03AE\u03BD\u03BF\u03C5\u03BD \u03C4\u03B1 "
     u"\u03C3\u03B7\u03BC\u03B5\u03B9\u03C9\u03BC\u03AD\u03BD\u03B1 pixel: %d \u03BB\u03B5"
     u"\u03C0\u03C4\u03AC \u2013 \u03BF\u03C0\u03BF\u03B9\u03BF\u03B4\u03AE\u03C0\u03BF\u03C4"
     u"\u03B5 \u03C0\u03BB\u03AE\u03BA\u03C4\u03C1\u03BF \u03C3\u03C4\u03B1\u03BC\u03B1\u03C4"
     u"\u03AC"},
    {// Italian (2)
     u"Avvertenza: il tasto successivo avvia un lampeggiamento intenso. Se la luce "
     u"lampeggiante può avere effetti su di Lei (epilessia fotosensibile), non guardi lo "
     u"schermo.",
     u"Pixel segnati lampeggianti: %d min \u2013 un tasto qualsiasi ferma"},
    {// Persian
     u"هشدار: کلید بعدی چشمک‌زدن شدید را آغاز می‌کند. "
     u"اگر نور چشمک‌زن ممکن است بر شما اثر بگذارد "
     u"(صرع حساس به نور)، به صفحه نگاه نکنید.",
     u"\u0686\u0634\u0645\u06A9 \u0632\u062F\u0646 \u067E\u06CC\u06A9\u0633\u0644\u200C\u0647"
     u"\u0627\u06CC \u0639\u0644\u0627\u0645\u062A\u200C\u062F\u0627\u0631: %d \u062F\u0642"
     u"\u06CC\u0642\u0647 \u2013 \u0628\u0631\u0627\u06CC \u062A\u0648\u0642\u0641 \u0647"
     u"\u0631 \u06A9\u0644\u06CC\u062F\u06CC \u0631\u0627 \u0628\u0632\u0646\u06CC\u062F"},
    {// Dutch
     u"Waarschuwing: de volgende toets start hevig knipperen. Als knipperend licht u kan "
     u"beïnvloeden (fotosensitieve epilepsie), kijk dan niet naar het scherm.",
     u"Gemarkeerde pixels knipperen: %d min \u2013 een willekeurige toets stopt"},
    {// Danish
     u"Advarsel: den næste tast starter kraftig blinken. Hvis blinkende lys kan påvirke dig "
     u"(fotosensitiv epilepsi), så se ikke på skærmen.",
     u"Markerede pixels blinker: %d min \u2013 en vilk\u00E5rlig tast stopper"},
    {// Korean
     u"경고: 다음 키를 누르면 강한 깜박임이 시작됩니다. 깜박이는 빛에 영향을 받을 수 "
     u"있다면(광과민성 뇌전증) 화면을 보지 마십시오.",
     u"\uD45C\uC2DC\uD55C \uD53D\uC140 \uAE5C\uBC15\uC784: %d\uBD84 \u2013 \uC544\uBB34 "
     u"\uD0A4\uB098 \uB204\uB974\uBA74 \uBA48\uCDA4"},
}};

constexpr int kEnglish = 1;

} // namespace

const OwnTexts& OwnTextsOf(int languageIndex) noexcept {
    const bool own = languageIndex >= 0 && languageIndex < kOwnTextLanguages;
    return kTexts[static_cast<std::size_t>(own ? languageIndex : kEnglish)];
}
